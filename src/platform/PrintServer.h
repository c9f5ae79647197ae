// Whether the print server answers. Asking the system for its default printer waits on the
// print server without a time limit, so a server that takes connections and never answers would
// freeze the desktop program for minutes; this asks it first, with a short time limit.
#pragma once

#include <chrono>
#include <string>

namespace korvell {

// Where the print server is: the CUPS_SERVER environment variable (a socket path, or a host
// with an optional port, at most 255 characters), else the local socket, else localhost:631.
std::string printServerAddress();

// Whether the server at printServerAddress() answers a request within `timeout`. No server at
// all (nothing listening) counts as answering: asking it for printers then fails at once.
bool printServerAnswers(std::chrono::milliseconds timeout);

}  // namespace korvell
