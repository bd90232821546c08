# Run by CPack on each package's staged files before it packs them, to do
# what Debian's packaging tools would: strip the programs, also of the
# compiler's notes, and compress the manual pages and the changelog with
# gzip -9n (the best compression, and neither name nor time in the header,
# so that the same page always gives the same bytes). The tarball gets the
# same programs and pages, and no Debian changelog.
set(root "${CPACK_TEMPORARY_DIRECTORY}/${CPACK_PACKAGING_INSTALL_PREFIX}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "${command} failed")
    endif()
endfunction()

file(GLOB programs "${root}/${CPACK_VORLAK_BINDIR}/*")
foreach(program ${programs})
    run(${CPACK_VORLAK_STRIP} --remove-section=.comment --remove-section=.note ${program})
endforeach()

file(GLOB pages "${root}/${CPACK_VORLAK_MANDIR}/man*/*.[1-9]")
set(changelog "${root}/${CPACK_VORLAK_DOCDIR}/changelog.Debian")
if(CPACK_GENERATOR STREQUAL "DEB")
    list(APPEND pages ${changelog})
else()
    file(REMOVE ${changelog})
endif()
foreach(page ${pages})
    run(${CPACK_VORLAK_GZIP} -9nf ${page})
endforeach()
