# Turns license.txt into the string table line for IDS_LICENSE_TEXT: every LF
# becomes the CR LF pair that the license page's edit control needs, and quotes
# and backslashes are escaped for the resource compiler.
#
# cmake -DINPUT=license.txt -DOUTPUT=license.rc -P license-rc.cmake

file(READ "${INPUT}" text)
string(REPLACE "\r" "" text "${text}")
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\"\"" text "${text}")
string(REPLACE "\n" "\\r\\n" text "${text}")
file(WRITE "${OUTPUT}" "    IDS_LICENSE_TEXT \"${text}\"\n")
