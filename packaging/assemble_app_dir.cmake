# Usage: cmake -D STATUTE=FOLDER -D SHIPPED=APP_DIR -D OUT=DIR -P assemble_app_dir.cmake
# Lays out the package's application directory anew in OUT: the shipped
# "slo.lng", "Skin" and Qt translations from the build's APP_DIR, then the
# statute folder over them, so that a statute's own "slo.lng" or "Skin" takes
# the place of the shipped one. The bundled statute's folder also holds its
# build rule, CMakeLists.txt, which is no part of the statute.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(COPY ${SHIPPED}/slo.lng ${SHIPPED}/translations DESTINATION ${OUT})
if(NOT IS_DIRECTORY ${STATUTE}/Skin)
  file(COPY ${SHIPPED}/Skin DESTINATION ${OUT})
endif()
file(GLOB entries LIST_DIRECTORIES true ${STATUTE}/*)
list(REMOVE_ITEM entries ${STATUTE}/CMakeLists.txt)
file(COPY ${entries} DESTINATION ${OUT})
