# Run by CPack on the staged files before it packs them, to do what Debian's
# packaging tools would: strip the programs, also of the compiler's notes,
# and for the Debian packages compress the manual pages and the changelogs
# with gzip -9n (the best compression, and neither name nor time in the
# header, so that the same page always gives the same bytes). The tarballs
# get the same programs, and the pages as cmake --install installs them:
# their generator packs the files it installed by name. Each component is
# staged in a folder of its own, so the files are found by where they lie
# below it.

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "${command} failed")
    endif()
endfunction()

file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file ${staged})
    if(file MATCHES "/${CPACK_VORLAK_BINDIR}/[^/]+$")
        run(${CPACK_VORLAK_STRIP} --remove-section=.comment --remove-section=.note ${file})
    elseif(CPACK_GENERATOR STREQUAL "DEB"
           AND (file MATCHES "/${CPACK_VORLAK_MANDIR}/man[1-9]/[^/]+\\.[1-9]$" OR file MATCHES "/changelog\\.Debian$"))
        run(${CPACK_VORLAK_GZIP} -9nf ${file})
    endif()
endforeach()
