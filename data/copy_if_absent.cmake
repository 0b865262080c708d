# Installs a default file into the program folder unless the user already
# has one there: the program writes to it, and a rebuild must keep that.
if(NOT EXISTS "${DESTINATION}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
