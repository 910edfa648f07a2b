; Dark: a deep slate window with a blue button.
; Install: copy this file as x\o.cjs beside Pelmorath.exe.

[Window]
Background = #1F2430

[Frame]
Background = #1F2430
Text = #E6E6E6

[Field]
Background = #2B3240
Text = #FFFFFF

[Button]
Face = #3A7BD5
Text = #FFFFFF
HotFace = #4A8BE5
PressedFace = #2A6BC5
