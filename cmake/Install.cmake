# Installing Gastrolog like a desktop program: the two programs in bin/, their shared files in
# share/gastrolog/ (found from the programs' own location), and the freedesktop files that put
# it in the menu and give diaries their file type.

set(GASTROLOG_APP_ID org.gastrolog.Gastrolog)
set(GASTROLOG_MIME_TYPE application/x-gastrolog-diary)
set(GASTROLOG_HOMEPAGE https://gastrolog.org/)
set(GASTROLOG_DATA_DIR ${CMAKE_INSTALL_DATADIR}/gastrolog)
set(GASTROLOG_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/gastrolog)
set(linux_files ${PROJECT_SOURCE_DIR}/res/linux)
# The release date as the changelog ("Mon, 07 Dec 2026 12:00:00 +0000"), the manual pages
# ("December 2026") and help2man (seconds since 1970) take it, so every build makes the same files.
foreach(format IN ITEMS "-R" "+%B %Y" "+%s")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C TZ=UTC
                          date -d "${GASTROLOG_RELEASE_DATE} 12:00" ${format}
                  OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  list(APPEND release_dates "${date}")
endforeach()
list(GET release_dates 0 GASTROLOG_RELEASE_DATE_CHANGELOG)
list(GET release_dates 1 GASTROLOG_RELEASE_MONTH)
list(GET release_dates 2 release_seconds)
set(generated ${PROJECT_BINARY_DIR}/install)

# ---- programs and their shared files
install(TARGETS gastrolog-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET gastrolog)
  install(TARGETS gastrolog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES res/tips.txt res/example.glg DESTINATION ${GASTROLOG_DATA_DIR})
# The whole folder, so every page of the help book is installed, whoever adds it.
install(DIRECTORY res/help DESTINATION ${GASTROLOG_DATA_DIR})

# ---- menu entry, file type, AppStream
install(FILES ${linux_files}/${GASTROLOG_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linux_files}/${GASTROLOG_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
configure_file(${linux_files}/${GASTROLOG_APP_ID}.metainfo.xml.in
               ${generated}/${GASTROLOG_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${GASTROLOG_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# ---- icons: the SVGs are the sources; the theme's fixed sizes are rendered from them
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_sources ${PROJECT_SOURCE_DIR}/res/icons)
set(icon_pngs)
foreach(icon IN ITEMS apps/${GASTROLOG_APP_ID} mimetypes/application-x-gastrolog-diary)
  get_filename_component(context ${icon} DIRECTORY)
  get_filename_component(name ${icon} NAME)
  install(FILES ${icon_sources}/${name}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${context})
  foreach(size IN ITEMS 16 24 32 48 64 128 256)
    set(png ${generated}/icons/${size}x${size}/${name}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png}
              ${icon_sources}/${name}.svg
      DEPENDS ${icon_sources}/${name}.svg
      COMMENT "Rendering the ${size} pixel ${name} icon")
    list(APPEND icon_pngs ${png})
    install(FILES ${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/${context})
  endforeach()
endforeach()
add_custom_target(gastrolog_icons ALL DEPENDS ${icon_pngs})

# ---- manual pages (compressed, as Debian wants them) and bash completion
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
set(cli_manual ${generated}/gastrolog-cli.1)
# Made from the program's own --help-all, so the page cannot drift from the program. help2man
# runs a stand-in of the same name that shows each command as a section of its own.
file(GENERATE OUTPUT ${generated}/manual-help/gastrolog-cli
     CONTENT "#!/bin/sh\nexec '${PROJECT_SOURCE_DIR}/res/man/help-for-manual.sh' '$<TARGET_FILE:gastrolog-cli>' \"$@\"\n"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                      WORLD_EXECUTE)
add_custom_command(OUTPUT ${cli_manual}
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_seconds}
          ${HELP2MAN} --no-info --help-option=--help-all --version-option=--version --section=1
          "--name=read, convert, train and simulate Gastrolog diaries"
          --include=${PROJECT_SOURCE_DIR}/res/man/gastrolog-cli.h2m
          --output=${cli_manual} ${generated}/manual-help/gastrolog-cli
  DEPENDS gastrolog-cli ${PROJECT_SOURCE_DIR}/res/man/gastrolog-cli.h2m
          ${PROJECT_SOURCE_DIR}/res/man/help-for-manual.sh
  COMMENT "Making the gastrolog-cli manual page from its --help-all")
configure_file(res/man/gastrolog.1.in ${generated}/gastrolog.1 @ONLY)
set(manuals)
foreach(page IN ITEMS ${generated}/gastrolog.1 ${cli_manual})
  get_filename_component(name ${page} NAME)
  add_custom_command(OUTPUT ${generated}/${name}.gz
    COMMAND ${GZIP} -9nc ${page} > ${generated}/${name}.gz
    DEPENDS ${page}
    COMMENT "Compressing ${name}")
  list(APPEND manuals ${generated}/${name}.gz)
endforeach()
add_custom_target(gastrolog_manuals ALL DEPENDS ${manuals})
install(FILES ${manuals} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES res/completion/gastrolog-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# ---- copyright and changelog where Debian expects them
configure_file(res/debian/changelog.in ${generated}/changelog @ONLY)
add_custom_command(OUTPUT ${generated}/changelog.gz
  COMMAND ${GZIP} -9nc ${generated}/changelog > ${generated}/changelog.gz
  DEPENDS ${generated}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(gastrolog_changelog ALL DEPENDS ${generated}/changelog.gz)
install(FILES res/debian/copyright ${generated}/changelog.gz DESTINATION ${GASTROLOG_DOC_DIR})
