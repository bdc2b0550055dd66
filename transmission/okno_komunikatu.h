// Message boxes through host function 35804 (owner 0, style 1).
#pragma once

// Shows the formatted text under the caption; printf-style values.
void PokazKomunikat(const char* tytul, const char* format, ...);
