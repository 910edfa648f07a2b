; byte-order mark and CR LF
[window]
  background	=	12,34,56
[FIELD]
text = #abcdef