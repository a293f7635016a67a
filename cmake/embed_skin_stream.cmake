# Script (cmake -P): writes a form description with a skin package stored in a component's binary property.
#   -DFORM=<form text>        the form description; the component block goes in before its last "end"
#   -DBLOCK=<block text>      the component's block, with the line "SkinStream = @SKIN_STREAM@"
#   -DBLOCK2=<block text>     optional: a second component's block, after the first
#   -DPACKAGE=<skin package>  the packed package; the property holds its length (4 bytes, little-endian), then it
#   -DDATADIR=<folder>        optional: "@DATA:<file>@" in a block becomes the bytes of that file of the folder,
#                             as a binary value of their own (a skin store's "DataStream")
#   -DOUT=<result>
foreach(var FORM BLOCK PACKAGE OUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "embed_skin_stream: ${var} is not given")
    endif()
endforeach()

file(READ "${FORM}" form)
file(READ "${BLOCK}" block)
if(DEFINED BLOCK2)
    file(READ "${BLOCK2}" second)
    string(APPEND block "${second}")
endif()
file(READ "${PACKAGE}" bytes HEX)
string(TOUPPER "${bytes}" bytes)
string(LENGTH "${bytes}" digits)
math(EXPR size "${digits} / 2")
if(size EQUAL 0)
    message(FATAL_ERROR "embed_skin_stream: ${PACKAGE} is empty")
endif()

# The count, least significant byte first.
math(EXPR count "${size}" OUTPUT_FORMAT HEXADECIMAL)
string(SUBSTRING "${count}" 2 -1 count)
string(TOUPPER "${count}" count)
string(LENGTH "${count}" n)
while(n LESS 8)
    string(PREPEND count "0")
    math(EXPR n "${n} + 1")
endwhile()
string(SUBSTRING "${count}" 6 2 b0)
string(SUBSTRING "${count}" 4 2 b1)
string(SUBSTRING "${count}" 2 2 b2)
string(SUBSTRING "${count}" 0 2 b3)

# 32 bytes a line, indented like the rest of the block.
string(REPEAT "[0-9A-F]" 64 line)
string(REGEX REPLACE "(${line})" "\\1\n      " bytes "${bytes}")
string(STRIP "${bytes}" bytes)
set(value "{\n      ${b0}${b1}${b2}${b3}\n      ${bytes}}")
string(REPLACE "@SKIN_STREAM@" "${value}" block "${block}")

# Files as binary values of their own.
string(REGEX MATCHALL "@DATA:[^@]+@" tokens "${block}")
foreach(token ${tokens})
    string(REGEX REPLACE "^@DATA:(.*)@$" "\\1" name "${token}")
    file(READ "${DATADIR}/${name}" data HEX)
    string(TOUPPER "${data}" data)
    string(REGEX REPLACE "(${line})" "\\1\n          " data "${data}")
    string(STRIP "${data}" data)
    string(REPLACE "${token}" "{\n          ${data}}" block "${block}")
endforeach()

string(FIND "${form}" "\nend" last REVERSE)
if(last LESS 0)
    message(FATAL_ERROR "embed_skin_stream: ${FORM} has no final end")
endif()
string(SUBSTRING "${form}" 0 ${last} head)
string(SUBSTRING "${form}" ${last} -1 tail)
file(WRITE "${OUT}.tmp" "${head}\n${block}${tail}")
file(RENAME "${OUT}.tmp" "${OUT}")
