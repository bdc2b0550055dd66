// What the user is told when curl ends with a non-zero exit code.
#pragma once

// Shows the message box for the exit code under caption "Uwaga": the file
// name, the server host name (code 6) or the code and the file name.
void PokazBladCurl(int kodWyjscia, const char* nazwaPliku, const char* serwer);
