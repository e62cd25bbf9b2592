# `make package`: a Debian package, gastrolog_VERSION_amd64.deb, from the install rules.
# The menu, MIME and icon caches are updated by the triggers of desktop-file-utils,
# shared-mime-info and the icon theme, so the package needs no maintainer scripts.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gastrolog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Gastrolog developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "diary of foods and symptoms that looks for links between them")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Gastrolog developers <developers@gastrolog.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${GASTROLOG_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The daily reminder: GIO speaks to the desktop's notification service (found by shlibdeps as
# well, named here because the reminder cannot work without it); systemd runs its user timer.
# "gastrolog -p" hands its pages to lpr; without it the program says so.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libglib2.0-0 (>= 2.74)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-bsd | lpr, systemd")
# Control files and the data are owned by root with the usual permissions, whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# CPack puts the summary above this as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Gastrolog is a desktop diary for people who suspect that some foods or
drinks cause their symptoms. Each day the user rates every symptom as
better, worse or unchanged and records what was eaten and drunk.
.
From the last 50 days a small neural network learns how one day's foods
relate to the next day's symptom changes; Gastrolog then suggests foods
to include, foods to exclude and foods it cannot classify yet. These are
hints drawn from the user's own records, not a diagnosis.
.
The package holds the desktop program and gastrolog-cli, which reads,
converts, trains and simulates diaries without a window, and a daily
reminder (a systemd user timer and a desktop notification).")
include(CPack)
