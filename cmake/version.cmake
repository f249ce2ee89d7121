# The program's version is given once, in the resource script: the version
# block's numbers. The block's texts, the About box's IDS_VERSION line and
# the manifest's identity must say the same (the About line may pad a number
# with zeros), or the build stops here, before a package could carry a
# second version.
file(READ ${CMAKE_CURRENT_LIST_DIR}/../app/app.rc rc)

string(REGEX MATCH "FILEVERSION ([0-9]+), ([0-9]+), ([0-9]+), ([0-9]+)" _ "${rc}")
set(TOLMIRAK_VERSION "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.${CMAKE_MATCH_4}")
if(TOLMIRAK_VERSION STREQUAL "...")
    message(FATAL_ERROR "app/app.rc has no FILEVERSION")
endif()

string(REGEX MATCH "PRODUCTVERSION ([0-9, ]+)" _ "${rc}")
string(REPLACE ", " "." product "${CMAKE_MATCH_1}")
string(REGEX MATCH "IDS_VERSION +\"([0-9.]+)\"" _ "${rc}")
string(REGEX REPLACE "(^|\\.)0+([0-9])" "\\1\\2" about "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "VALUE \"(File|Product)Version\", \"[0-9.]+\"" texts "${rc}")
file(READ ${CMAKE_CURRENT_LIST_DIR}/../app/tolmirak.manifest manifest)
string(REGEX MATCH "assemblyIdentity [^>]*version=\"([0-9.]+)\"" _ "${manifest}")
foreach(seen IN ITEMS "${product}" "${about}" ${texts} "\"${CMAKE_MATCH_1}\"")
    string(REGEX REPLACE ".*\"([0-9.]+)\"$" "\\1" seen "${seen}")
    if(NOT seen STREQUAL TOLMIRAK_VERSION)
        message(FATAL_ERROR "app/app.rc or its manifest gives version ${seen} beside FILEVERSION ${TOLMIRAK_VERSION}")
    endif()
endforeach()

# The maker's lines of the About box, for the packages' notices.
foreach(id COPYRIGHT RIGHTS HOMEPAGE)
    string(REGEX MATCH "IDS_${id} +\"([^\"]*)\"" _ "${rc}")
    set(TOLMIRAK_${id} "${CMAKE_MATCH_1}")
endforeach()

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../app/app.rc
    ${CMAKE_CURRENT_LIST_DIR}/../app/tolmirak.manifest)
