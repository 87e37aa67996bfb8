# Usage: cmake -D DIR=APP_DIR -D NAME=FILE -P write_manifest.cmake
# Lists every file and symbolic link of the installed application directory
# in DIR/FILE as "TYPE SIZE SHA256 PATH": "f", the file's size and digest, or
# "l", the length and digest of the path the link holds, never followed. The
# launcher keeps the list in the user's copy: a list that differs from the
# installed one means the copy is of another build, and a copy whose types,
# sizes and paths differ from it is damaged.
# Links to folders are listed as links, not walked into.
cmake_policy(SET CMP0009 NEW)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${DIR} ${DIR}/*)
list(REMOVE_ITEM files ${NAME})
list(SORT files)
set(manifest "")
foreach(file IN LISTS files)
  if(IS_SYMLINK ${DIR}/${file})
    file(READ_SYMLINK ${DIR}/${file} target)
    string(LENGTH "${target}" size)
    string(SHA256 digest "${target}")
    string(APPEND manifest "l ${size} ${digest} ${file}\n")
  else()
    file(SIZE ${DIR}/${file} size)
    file(SHA256 ${DIR}/${file} digest)
    string(APPEND manifest "f ${size} ${digest} ${file}\n")
  endif()
endforeach()
file(WRITE ${DIR}/${NAME} "${manifest}")
