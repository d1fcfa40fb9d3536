# Fills the application folder APP_DIR from RESOURCES. Run at build time.
#   temp/NotDone.txt, temp/Done.txt  always refreshed from the sources
#   temp/temp.txt, Options.dat       written only when missing
file(MAKE_DIRECTORY "${APP_DIR}/temp")
foreach(marker NotDone.txt Done.txt)
    file(COPY_FILE "${RESOURCES}/temp/${marker}" "${APP_DIR}/temp/${marker}" ONLY_IF_DIFFERENT)
endforeach()
if(NOT EXISTS "${APP_DIR}/temp/temp.txt")
    file(COPY_FILE "${RESOURCES}/temp/temp.txt" "${APP_DIR}/temp/temp.txt")
endif()
if(NOT EXISTS "${APP_DIR}/Options.dat")
    # The file's format cannot hold a double quote inside the path.
    string(FIND "${JAVAC}" "\"" quote)
    if(NOT quote EQUAL -1)
        set(JAVAC "")
    endif()
    # Courier New (Liberation Mono here) at 12 points: code reads best in a fixed face.
    file(WRITE "${APP_DIR}/Options.dat" "4,2,\"${JAVAC}\"\r\n")
endif()
