# The message catalogues at build time. src/messages/English.def is the one
# source of the program's texts, po/LANGUAGE.po the translators' catalogues;
# scripts/messages.py writes from them what each front end reads:
#   rp770_message_tables(TARGET)      a library of the translations in C++
#                                     tables (the command line's: no file needed)
#   rp770_page_messages(TARGET DIR)   the page's DIR/LANGUAGE.json, English included
#   rp770_window_catalogues(TARGET DIR)
#                                     the window's DIR/rp770_LANGUAGE.qm (lconvert)
# and the pseudo-language en_XA (every text about 40 % longer, with accents)
# for the layout checks, beside the real ones in each of them.
include_guard(GLOBAL)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(RP770_MESSAGES_SCRIPT ${PROJECT_SOURCE_DIR}/scripts/messages.py)
set(RP770_ENGLISH_CATALOGUE ${PROJECT_SOURCE_DIR}/src/messages/English.def)
set(RP770_POT ${PROJECT_SOURCE_DIR}/po/rp770.pot)
set(RP770_GLOSSARY ${PROJECT_SOURCE_DIR}/po/glossary.tsv)
# The languages translated; a new one is a po/LANGUAGE.po and its name here.
set(RP770_LANGUAGES de nl fr)
set(RP770_PSEUDO_LANGUAGE en_XA)
set(RP770_PO_FILES)
foreach(language IN LISTS RP770_LANGUAGES)
  list(APPEND RP770_PO_FILES ${PROJECT_SOURCE_DIR}/po/${language}.po)
endforeach()
set(RP770_MESSAGES_COMMAND ${Python3_EXECUTABLE} ${RP770_MESSAGES_SCRIPT} --catalogue ${RP770_ENGLISH_CATALOGUE})

function(rp770_message_tables target)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/BuiltInTranslations.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${RP770_MESSAGES_COMMAND} cpp --pseudo --output ${output} ${RP770_PO_FILES}
    DEPENDS ${RP770_ENGLISH_CATALOGUE} ${RP770_MESSAGES_SCRIPT} ${RP770_PO_FILES}
    COMMENT "Writing the built-in translations"
    VERBATIM)
  add_library(${target} STATIC ${output} ${PROJECT_SOURCE_DIR}/src/messages/BuiltInLanguage.cpp)
  target_link_libraries(${target} PUBLIC rp770_messages)
endfunction()

function(rp770_page_messages target dir)
  set(outputs ${dir}/en.json ${dir}/${RP770_PSEUDO_LANGUAGE}.json)
  foreach(language IN LISTS RP770_LANGUAGES)
    list(APPEND outputs ${dir}/${language}.json)
  endforeach()
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${RP770_MESSAGES_COMMAND} json --pseudo --output-dir ${dir} ${RP770_PO_FILES}
    DEPENDS ${RP770_ENGLISH_CATALOGUE} ${RP770_MESSAGES_SCRIPT} ${RP770_PO_FILES}
    COMMENT "Writing the page's catalogues"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

function(rp770_window_catalogues target dir)
  find_program(RP770_LCONVERT NAMES lconvert lconvert-qt6
    HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin REQUIRED)
  # The pseudo-language's catalogue, written into the build folder.
  set(pseudo ${CMAKE_CURRENT_BINARY_DIR}/${RP770_PSEUDO_LANGUAGE}.po)
  add_custom_command(OUTPUT ${pseudo}
    COMMAND ${RP770_MESSAGES_COMMAND} pseudo --output ${pseudo}
    DEPENDS ${RP770_ENGLISH_CATALOGUE} ${RP770_MESSAGES_SCRIPT}
    COMMENT "Writing the pseudo-language's catalogue"
    VERBATIM)
  set(outputs)
  foreach(po ${RP770_PO_FILES} ${pseudo})
    get_filename_component(language ${po} NAME_WE)
    set(qm ${dir}/rp770_${language}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${RP770_LCONVERT} -i ${po} -o ${qm}
      DEPENDS ${po}
      COMMENT "Writing the window's catalogue rp770_${language}.qm"
      VERBATIM)
    list(APPEND outputs ${qm})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

# For translators, after a change to English.def: writes po/rp770.pot and
# merges it into every po/LANGUAGE.po (new texts untranslated, changed ones
# fuzzy), in the source tree.
find_program(RP770_MSGMERGE msgmerge)
if(RP770_MSGMERGE)
  set(merges)
  foreach(po IN LISTS RP770_PO_FILES)
    list(APPEND merges COMMAND ${RP770_MSGMERGE} --quiet --update --backup=off --previous ${po} ${RP770_POT})
  endforeach()
  add_custom_target(rp770-update-po
    COMMAND ${RP770_MESSAGES_COMMAND} pot --output ${RP770_POT}
    ${merges}
    COMMENT "Writing po/rp770.pot and merging it into the translations"
    VERBATIM)
endif()
