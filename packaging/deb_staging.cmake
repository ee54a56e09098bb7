# Runs in CPack between staging and packing. The Debian package states its licence in
# usr/share/doc/lcdkonfig/copyright, which points to /usr/share/common-licenses/GPL-3,
# the same text as LICENSE; Debian asks for it to be there only once.
file(GLOB_RECURSE licence_copies "${CPACK_TEMPORARY_DIRECTORY}/*/share/doc/lcdkonfig/LICENSE")
if(NOT licence_copies)
  message(FATAL_ERROR "deb_staging: no share/doc/lcdkonfig/LICENSE below ${CPACK_TEMPORARY_DIRECTORY}")
endif()
file(REMOVE ${licence_copies})
