[Button]
Face = 1,2,3
face = 4,5,6
