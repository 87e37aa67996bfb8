# Usage: cmake -D STATUTE=FOLDER -D SHIPPED=APP_DIR -D IMPORT=LEXORIA_IMPORT -D OUT=DIR -P assemble_app_dir.cmake
# Lays out the package's application directory anew in OUT: the shipped
# "slo.lng", "Skin" and Qt translations from the build's APP_DIR, then the
# statute folder over them, so that a statute's own "slo.lng" or "Skin" takes
# the place of the shipped one. A statute without its own "slo.lng" gets the
# shipped texts with its own title, never another statute's.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(COPY ${SHIPPED}/slo.lng ${SHIPPED}/translations DESTINATION ${OUT})
if(NOT IS_DIRECTORY ${STATUTE}/Skin)
  file(COPY ${SHIPPED}/Skin DESTINATION ${OUT})
endif()
file(GLOB entries LIST_DIRECTORIES true ${STATUTE}/*)
file(COPY ${entries} DESTINATION ${OUT})
if(NOT EXISTS ${STATUTE}/slo.lng)
  execute_process(COMMAND ${IMPORT} --title-language-file ${OUT} COMMAND_ERROR_IS_FATAL ANY)
endif()
