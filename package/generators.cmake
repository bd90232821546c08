# Read by CPack for each generator. The Debian packages hold the components
# of Debian's own files too (the changelogs, lintian's override), the
# tarballs do not; and both tarballs unpack into vorlak-VERSION-Linux/, so
# that the teacher's files land beside the README that links to them.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL vorlak vorlakdebian teacher teacherdebian)
else()
    set(CPACK_COMPONENTS_ALL vorlak teacher)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
