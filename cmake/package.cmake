# `cpack -G DEB` in the build folder makes mirabo_VERSION_ARCH.deb of what
# `cmake --install` installs. The shared libraries the programs link are
# found by dpkg-shlibdeps; what they open at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirabo)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese braille translator and braille learning program")
set(CPACK_PACKAGE_DESCRIPTION
    "Mirabo turns Japanese text into six-dot braille, lays it out in braille pages, writes braille files (BRF, PEF, BES), converts kanji-mixed text into braille kana with MeCab and helps people learn braille. The package has the program and the mirabo-cli command.")
set(CPACK_PACKAGE_CONTACT "Mirabo developers <mirabo@localhost>")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The MeCab dictionary is opened by its path, the xcb platform plugin and
# Qt's own Japanese captions are loaded by Qt, and the help and the list
# need a font with kana and kanji: none of them shows in the link. Nor do
# liblouis's tables, which contracted English braille opens by name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "mecab-ipadic-utf8, qt6-qpa-plugins, libqt6svg6, liblouis-data")
# libcups is opened at the first embossing, not linked.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libcups2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
# Reading aloud: without them the program runs and says what is missing.
string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng")
# The braille display is driven through BRLTTY, which Mirabo does not need otherwise.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "brltty")
# Embossing goes through a CUPS queue, whose braille drivers come with cups-filters;
# the second dictionary only adds a second opinion on readings.
string(APPEND CPACK_DEBIAN_PACKAGE_SUGGESTS ", cups, cups-filters, open-jtalk-mecab-naist-jdic")
include(CPack)
