# The real dictionary: fetches the pinned CC-CEDICT text, the word counts and
# weights and the HSK word list
# (scripts/fetch-data.sh), runs the article builder and writes both article
# files into ${DIST_DIR}/Articles. Target `articles` (part of ALL).
#
# Reruns only when an input changes: the fetch step when the script or a
# recorded checksum changes, the builder when the builder or the fetched data
# changes. Downloads are kept in ${CMAKE_BINARY_DIR}/downloads, so later
# builds need no network.
#
# With ARTICLES_FROM_SAMPLE ON the top level lays out the small sample
# dictionary instead, and this file does nothing.
if(ARTICLES_FROM_SAMPLE)
  return()
endif()

find_program(ARTICLES_BASH bash REQUIRED)

set(ARTICLES_DOWNLOAD_DIR ${CMAKE_BINARY_DIR}/downloads)
set(ARTICLES_CEDICT_TEXT ${ARTICLES_DOWNLOAD_DIR}/cedict_ts.u8)
set(ARTICLES_WORD_COUNTS ${ARTICLES_DOWNLOAD_DIR}/jieba_dict.txt)
set(ARTICLES_READING_COUNTS ${ARTICLES_DOWNLOAD_DIR}/Unihan_Readings.txt)
set(ARTICLES_WORDNET_DIR ${ARTICLES_DOWNLOAD_DIR}/wordnet)
set(ARTICLES_WORD_LIST ${ARTICLES_DOWNLOAD_DIR}/words.txt)
set(ARTICLES_WORD_WEIGHTS ${ARTICLES_DOWNLOAD_DIR}/essay.txt)
set(ARTICLES_WORD_LEVELS ${ARTICLES_DOWNLOAD_DIR}/hsk_words.txt)
set(ARTICLES_LANGUAGE_MODEL ${ARTICLES_DOWNLOAD_DIR}/language_model.lm)
set(ARTICLES_WORDNET_FILES)
foreach(name index.noun index.verb index.adj noun.exc verb.exc adj.exc adv.exc)
  list(APPEND ARTICLES_WORDNET_FILES ${ARTICLES_WORDNET_DIR}/${name})
endforeach()
set(ARTICLES_EXTRA_DATA ${ARTICLES_READING_COUNTS} ${ARTICLES_WORD_LIST} ${ARTICLES_WORDNET_FILES}
    ${ARTICLES_WORD_WEIGHTS} ${ARTICLES_WORD_LEVELS} ${ARTICLES_LANGUAGE_MODEL})
set(ARTICLES_FETCH_STAMP ${ARTICLES_DOWNLOAD_DIR}/fetch.stamp)
set(ARTICLES_OUTPUT_DIR ${DIST_DIR}/Articles)
set(ARTICLES_OUTPUTS
  ${ARTICLES_OUTPUT_DIR}/Articles_English_Chinese.dat
  ${ARTICLES_OUTPUT_DIR}/Articles_Chinese_English.dat)

# The builder checks the text once more against the recorded checksum, so a
# text changed by hand in the download folder is refused too.
set(ARTICLES_CHECKSUM_FILE ${CMAKE_SOURCE_DIR}/data/cedict.sha256)
file(STRINGS ${ARTICLES_CHECKSUM_FILE} ARTICLES_CHECKSUM_LINE LIMIT_COUNT 1)
string(REGEX MATCH "^[0-9a-f]+" ARTICLES_CEDICT_SHA256 "${ARTICLES_CHECKSUM_LINE}")
string(LENGTH "${ARTICLES_CEDICT_SHA256}" ARTICLES_CHECKSUM_LENGTH)
if(NOT ARTICLES_CHECKSUM_LENGTH EQUAL 64)
  message(FATAL_ERROR "data/cedict.sha256 holds no SHA-256; the article files cannot be built")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARTICLES_CHECKSUM_FILE})

# The same for the word weights, the language model and the word list.
foreach(pinned essay language_model hsk_words)
  set(checksum_file ${CMAKE_SOURCE_DIR}/data/${pinned}.sha256)
  file(STRINGS ${checksum_file} checksum_line LIMIT_COUNT 1)
  string(REGEX MATCH "^[0-9a-f]+" ARTICLES_${pinned}_SHA256 "${checksum_line}")
  string(LENGTH "${ARTICLES_${pinned}_SHA256}" checksum_length)
  if(NOT checksum_length EQUAL 64)
    message(FATAL_ERROR "data/${pinned}.sha256 holds no SHA-256; the article files cannot be built")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${checksum_file})
endforeach()

# The script leaves the data files untouched when their content is unchanged;
# as byproducts they are checked by content time, so the builder only reruns
# when they really change.
add_custom_command(
  OUTPUT ${ARTICLES_FETCH_STAMP}
  BYPRODUCTS ${ARTICLES_CEDICT_TEXT} ${ARTICLES_WORD_COUNTS} ${ARTICLES_EXTRA_DATA}
  COMMAND ${ARTICLES_BASH} -c
          "\"$0\" \"$1\" || { echo 'articles: fetching the dictionary data failed (see above). To build with the small sample dictionary instead, configure with -DARTICLES_FROM_SAMPLE=ON.' >&2; exit 1; }"
          ${CMAKE_SOURCE_DIR}/scripts/fetch-data.sh ${ARTICLES_DOWNLOAD_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${ARTICLES_FETCH_STAMP}
  DEPENDS
    ${CMAKE_SOURCE_DIR}/scripts/fetch-data.sh
    ${CMAKE_SOURCE_DIR}/data/cedict.sha256
    ${CMAKE_SOURCE_DIR}/data/jieba_dict.sha256
    ${CMAKE_SOURCE_DIR}/data/debian-data.sha256
    ${CMAKE_SOURCE_DIR}/data/essay.sha256
    ${CMAKE_SOURCE_DIR}/data/hsk_words.sha256
    ${CMAKE_SOURCE_DIR}/data/weibo_words.sha256
    ${CMAKE_SOURCE_DIR}/data/language_model.sha256
    ${CMAKE_SOURCE_DIR}/data/subtitle_words.sha256
    ${CMAKE_SOURCE_DIR}/data/english_chinese_translations.sha256
  COMMENT "Fetching and checking CC-CEDICT, the word and reading counts and the English word forms"
  VERBATIM)

add_custom_command(
  OUTPUT ${ARTICLES_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ARTICLES_OUTPUT_DIR}
  COMMAND article_builder
          --cedict ${ARTICLES_CEDICT_TEXT}
          --frequencies ${ARTICLES_WORD_COUNTS}
          --readings ${ARTICLES_READING_COUNTS}
          --wordnet ${ARTICLES_WORDNET_DIR}
          --words ${ARTICLES_WORD_LIST}
          --usage ${ARTICLES_WORD_WEIGHTS}
          --language-model ${ARTICLES_LANGUAGE_MODEL}
          --levels ${ARTICLES_WORD_LEVELS}
          --out ${ARTICLES_OUTPUT_DIR}
          --expect-sha256 ${ARTICLES_CEDICT_SHA256}
          --expect-usage-sha256 ${ARTICLES_essay_SHA256}
          --expect-levels-sha256 ${ARTICLES_hsk_words_SHA256}
          --expect-language-model-sha256 ${ARTICLES_language_model_SHA256}
  DEPENDS article_builder ${ARTICLES_FETCH_STAMP} ${ARTICLES_CEDICT_TEXT} ${ARTICLES_WORD_COUNTS}
          ${ARTICLES_EXTRA_DATA}
  COMMENT "Building the article files from CC-CEDICT"
  VERBATIM)

add_custom_target(articles ALL DEPENDS ${ARTICLES_OUTPUTS})
