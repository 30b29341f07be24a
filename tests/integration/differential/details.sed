# The differences the device details add, for every example machine (after
# the example's own rules). The whole report as one pattern space.
:a
N
$!ba
# diff: CM_Get_DevNode_Status is a stub in Wine 8: it succeeds and writes no status, so every device reads Unknown (a status of 0); the status and its meaning line are not compared
s/(\n      Status: +)[^\r\n]*(\r?)(\n {27}[^ \r\n][^\r\n]*\r?)?/\1(status)\2/g
# diff: the prefix's Windows folder is C:\windows, the description's C:\Windows: the folder an INF file is missing from is spelt as the prefix spells it
s/\(not in C:\\windows\\inf\)/(not in C:\\Windows\\inf)/g
