# winver: win7
# The whole report as one pattern space, so that rules can span lines.
:a
N
$!ba
# diff: the processor count is the host's, not the description's
s/^(   Number of Logical Processors: +)[0-9]+(\r?)$/\1N\2/M
# diff: winecfg sets product type workstation and no product suites
s/^   Product Suites?:[^\r\n]*(\r?\n {20,}[^ \r\n][^\r\n]*)*/   Product Suite: (suites)/M
# diff: GetFileVersionInfoSizeA fails with 1812 where Windows gives 1813 for a file without a version resource
s/error 0x00000714\./error 0x00000715./g
s/error = 0x00000714/error = 0x00000715/g
