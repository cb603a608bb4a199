# Every package the page bundles (the non-development entries of web/package-lock.json) must be
# named in THIRD-PARTY-NOTICES with the version the lock file installs and its licence, so that
# a new or upgraded package cannot ship without its notice. ROOT is the source folder.
file(READ ${ROOT}/web/package-lock.json lock)
file(READ ${ROOT}/THIRD-PARTY-NOTICES notices)
string(JSON count LENGTH "${lock}" packages)
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
  string(JSON key MEMBER "${lock}" packages ${index})
  string(JSON dev ERROR_VARIABLE not_dev GET "${lock}" packages "${key}" dev)
  if(NOT key MATCHES "^node_modules/(.+)$" OR dev)
    continue()
  endif()
  set(name ${CMAKE_MATCH_1})
  string(JSON version GET "${lock}" packages "${key}" version)
  string(JSON licence GET "${lock}" packages "${key}" license)
  string(FIND "${notices}" "${name} ${version}" named)
  string(FIND "${notices}" "${licence}" licensed)
  if(named EQUAL -1 OR licensed EQUAL -1)
    message(FATAL_ERROR "THIRD-PARTY-NOTICES lacks '${name} ${version}' or its licence, ${licence}: "
      "add the package's notice and licence text")
  endif()
endforeach()
