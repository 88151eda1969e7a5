event small
boardsize 9
b 1 e15
w 2 c13
com
hi
endcom
setup w a1
