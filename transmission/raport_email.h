// The report message about an export's outcome, handed to the host's mail
// service; off while "hostSMTP" is missing from the settings.
#pragma once

// Writes "message.eml" (Subject, To, From, the outcome) and has the host
// send it. Never reports anything to the user.
void WyslijRaportEmail(const char* tekstWyniku, const char* nazwaSklepu);
