; High contrast: black with yellow and white, for the clearest reading.
; Install: copy this file as x\o.cjs beside Pelmorath.exe.

[Window]
Background = 0, 0, 0

[Frame]
Background = 0, 0, 0
Text = 255, 255, 0

[Field]
Background = 0, 0, 0
Text = 255, 255, 255

[Button]
Face = 0, 0, 0
Text = 255, 255, 0
HotFace = 0, 0, 128
PressedFace = 0, 96, 0
