# winver: vista
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
# diff: SetupDiClassNameFromGuidA fails with 2 instead of ERROR_INVALID_CLASS for a class that is not installed
s/SetupDiClassNameFromGuid failed with error 0x00000002\.(\r?\n\r\n)   ERROR: AddSetupClassInfo: GetClassName failed with error 0x00000002\.\r?\n\r\n/SetupDiClassNameFromGuid failed with error 0xE0000206.\1   Name:  ??? (Class is not installed on the system.)\r\n/
