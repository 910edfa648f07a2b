; Sand: warm light colours; the button's hover and pressed faces are left to the engine.
; Install: copy this file as x\o.cjs beside Pelmorath.exe.

[Window]
Background = #F3E9D2

[Frame]
Background = #F3E9D2
Text = #5B4636

[Field]
Background = #FFFBF2
Text = #3B2F2F

[Button]
Face = #C8A97E
Text = #2E2218
