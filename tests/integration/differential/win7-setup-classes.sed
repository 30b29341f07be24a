# winver: win7
# options: --no-1394 --class net --class {4D36E967-E325-11CE-BFC1-08002BE10318} --class 6bdd1fc6-810f-11d0-bec7-08002be2092f --class NET
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
# diff: DIGCF_PRESENT is ignored: the disk drive that is not present is listed
s/\r\n   Device:\r\n      Description:         Disk drive\r\n      Device Instance ID:  USBSTOR\\DISK&VEN_EXAMPLE&PROD_OLD_STICK&REV_2\.00\\EX0000000000077&0\r\n(      [^\r\n]*\r\n)*         Lower Level Class Filter Service Names:   exdskmon//
