[Frame]
Text = #12345
