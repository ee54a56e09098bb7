#pragma once
// JSON text for the command-line program's machine-readable output: a UTF-8 string
// as a JSON string literal, quotes included. Control characters (a serial number may
// hold any byte) are written as \uXXXX.
#include <string>

std::string JsonString(const std::string& utf8);
