# The AppArmor profile of the package NAME and the maintainer scripts that
# install and remove it, written to DIR. The build includes it with name and
# generated set; the scripts' test runs it alone:
#   cmake -D name=NAME -D generated=DIR -P maintainer_scripts.cmake
set(LEXORIA_PACKAGE_NAME ${name})
set(LEXORIA_PROFILE lexoria_${name})
configure_file(${CMAKE_CURRENT_LIST_DIR}/apparmor.in ${generated}/apparmor-profile @ONLY)
# The profile earlier packages installed as /etc/apparmor.d/NAME, byte for
# byte: postinst removes such a file only where it holds exactly these bytes.
configure_file(${CMAKE_CURRENT_LIST_DIR}/apparmor-earlier.in ${generated}/apparmor-earlier @ONLY)
file(SHA256 ${generated}/apparmor-earlier LEXORIA_EARLIER_PROFILE_SHA256)
configure_file(${CMAKE_CURRENT_LIST_DIR}/postinst.sh ${generated}/postinst @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/postrm.sh ${generated}/postrm @ONLY)
