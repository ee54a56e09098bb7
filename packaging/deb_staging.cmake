# Runs in CPack between staging and packing. The Debian package states its licence in
# usr/share/doc/lcdkonfig/copyright, which points to /usr/share/common-licenses/GPL-3,
# the same text as LICENSE; Debian asks for it to be there only once.
file(GLOB_RECURSE licence_copies "${CPACK_TEMPORARY_DIRECTORY}/*/share/doc/lcdkonfig/LICENSE")
if(NOT licence_copies)
  message(FATAL_ERROR "deb_staging: no share/doc/lcdkonfig/LICENSE below ${CPACK_TEMPORARY_DIRECTORY}")
endif()
file(REMOVE ${licence_copies})

# CPack strips the symbols; Debian's packages also leave out the compiler's version
# notes (.comment, .note), as dh_strip does.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*/bin/*")
if(NOT programs)
  message(FATAL_ERROR "deb_staging: no programs in a bin folder below ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(program ${programs})
  execute_process(COMMAND ${CPACK_LCD_OBJCOPY} --remove-section=.comment --remove-section=.note ${program}
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "deb_staging: ${CPACK_LCD_OBJCOPY} could not clean ${program}")
  endif()
endforeach()
