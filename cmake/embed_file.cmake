# Writes a C++ source that holds a file's bytes as an array, for a program that must not depend
# on where the file lies at run time:
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DNAME=symbol -P embed_file.cmake
# The source defines `extern const unsigned char NAME[]` and `extern const size_t NAME_size`.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR bytes "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" hex "${hex}")
file(WRITE ${OUTPUT} "#include <cstddef>\n"
     "extern const unsigned char ${NAME}[];\nextern const size_t ${NAME}_size;\n"
     "const unsigned char ${NAME}[] = {\n${hex}\n};\nconst size_t ${NAME}_size = ${bytes};\n")
