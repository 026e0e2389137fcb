# The manual page in one language: the English page with its short description (the NAME
# line) as the language's catalogue translates it. The rest of the page stays English.
#   cmake -DPAGE=packaging/planewave3d.1 -DCATALOGUE=po/LL.po -DOUTPUT=LL/planewave3d.1
#         -P manual_page.cmake
file(READ ${PAGE} page)
string(REGEX MATCH "\n\\.SH NAME\nplanewave3d \\\\- ([^\n]*)\n" name_line "${page}")
set(english "${CMAKE_MATCH_1}")
if(english STREQUAL "")
  message(FATAL_ERROR "${PAGE}: no NAME line 'planewave3d \\- ...'")
endif()
file(READ ${CATALOGUE} catalogue)
set(entry "msgid \"${english}\"\nmsgstr \"")
string(FIND "${catalogue}" "${entry}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${CATALOGUE}: the manual page's short description is not translated; "
                      "po/texts_elsewhere.h and ${PAGE} must give the same text")
endif()
string(LENGTH "${entry}" entry_length)
math(EXPR at "${at} + ${entry_length}")
string(SUBSTRING "${catalogue}" ${at} -1 rest)
string(FIND "${rest}" "\"\n" end)
string(SUBSTRING "${rest}" 0 ${end} translated)
if(translated STREQUAL "")
  message(FATAL_ERROR "${CATALOGUE}: the manual page's short description is not translated")
endif()
string(REPLACE "planewave3d \\- ${english}" "planewave3d \\- ${translated}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
