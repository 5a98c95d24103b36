#pragma once

// The program version: shown on the home page, written into design files,
// compared with the published version.
inline const char *const kAmporaVersion = "9.0.2";
