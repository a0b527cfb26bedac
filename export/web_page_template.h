#pragma once

#include <string_view>

// The exported web page with three.js in place, and two places left to fill:
// @PAGE_DATA@ for the page's data as JSON, @MODEL@ for the model as a glTF
// binary in base64. Generated at build time (export/embed_page.cmake).
extern const std::string_view WebPageTemplate;
