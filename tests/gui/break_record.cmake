# Writes a copy of the generated records.rc in which record ID is replaced by a damaged one: its
# stream of two literal bytes promises five, so it does not decode to its text.
#   cmake -DIN=records.rc -DOUT=broken_records.rc -DID=1009 -P break_record.cmake
file(STRINGS ${IN} lines)
set(out "")
set(replaced FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^${ID} RCDATA ")
    # Big-endian header fields stored as little-endian words: PayloadLength 10, sequence 29/29,
    # CompressedLength 2, TextLength 5; then the tokens 'a' 'b' and four trailing zero bytes.
    string(APPEND out "${ID} RCDATA\nBEGIN\n  0x0A00, 0x1D00, 0x1D00, 0x0200, 0x0500, 0x6261, 0x0000, 0x0000\nEND\n")
    set(replaced TRUE)
  else()
    string(APPEND out "${line}\n")
  endif()
endforeach()
if(NOT replaced)
  message(FATAL_ERROR "record ${ID} not found in ${IN}")
endif()
file(WRITE ${OUT} "${out}")
