# The release this source is, from the newest entry of packaging/changelog:
# its version must be the project's, and its date (SLEEVIX_RELEASE_DATE,
# YYYY-MM-DD) dates the manual page and the AppStream release.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog sleevix_changelog_heading LIMIT_COUNT 1)
if(NOT sleevix_changelog_heading MATCHES "^sleevix \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry is not version ${PROJECT_VERSION}")
endif()
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog sleevix_changelog_trailer
  REGEX "^ -- .*  [A-Z][a-z][a-z], [0-9][0-9] [A-Z][a-z][a-z] [0-9][0-9][0-9][0-9] " LIMIT_COUNT 1)
if(NOT sleevix_changelog_trailer MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry has no date")
endif()
set(sleevix_day ${CMAKE_MATCH_1})
set(sleevix_year ${CMAKE_MATCH_3})
set(sleevix_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND sleevix_months ${CMAKE_MATCH_2} sleevix_month)
math(EXPR sleevix_month "${sleevix_month} + 1")
string(REGEX REPLACE "^([1-9])$" "0\\1" sleevix_month ${sleevix_month})
set(SLEEVIX_RELEASE_DATE ${sleevix_year}-${sleevix_month}-${sleevix_day})
