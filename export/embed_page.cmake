# Writes the C++ source that holds the web page's template as one string:
# web_page.html with three.js's version, licence and minified bundle put in
# place. The build runs it whenever one of those files changes:
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -P embed_page.cmake
# SOURCE_DIR is the repository's root.
file(READ "${SOURCE_DIR}/export/web_page.html" page)
file(READ "${SOURCE_DIR}/third_party/three/three.min.js" three)
file(READ "${SOURCE_DIR}/third_party/three/LICENSE" licence)
file(STRINGS "${SOURCE_DIR}/third_party/three/VERSION" version LIMIT_COUNT 1)

# The licence goes into a block comment, the bundle into a script element,
# the whole into a raw string literal: none of them may end early. The
# writer finds its two places by their first occurrence, which must be the
# template's.
if(licence MATCHES "\\*/")
    message(FATAL_ERROR "third_party/three/LICENSE contains */")
endif()
string(TOLOWER "${three}" lower)
if(lower MATCHES "</script" OR three MATCHES "@PAGE_DATA@|@MODEL@")
    message(FATAL_ERROR "three.min.js cannot be put into the page as it is")
endif()

string(REPLACE "@THREE_VERSION@" "${version}" page "${page}")
string(REPLACE "@THREE_LICENSE@" "${licence}" page "${page}")
string(REPLACE "@THREE_JS@" "${three}" page "${page}")
if(page MATCHES "\\)web_page\"")
    message(FATAL_ERROR "the page cannot be put into a raw string literal")
endif()

file(WRITE "${OUTPUT}.new"
    "// Made by export/embed_page.cmake from export/web_page.html and third_party/three.\n"
    "#include \"export/web_page_template.h\"\n\n"
    "const std::string_view WebPageTemplate = R\"web_page(${page})web_page\";\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
