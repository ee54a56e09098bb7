#pragma once
// An environment for the functions that look up XDG and HOME variables: only the
// variables given are set.
#include "backups.h"

#include <map>
#include <optional>
#include <string>

inline EnvironmentLookup From(std::map<std::string, std::string> variables)
{
    return [variables](const char* name) -> std::optional<std::string> {
        auto it = variables.find(name);
        if (it == variables.end())
            return std::nullopt;
        return it->second;
    };
}
