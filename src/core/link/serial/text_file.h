// Whole files in and out, for the readers and writers of files a user keeps (topologies, session
// logs, saved networks): one place that turns the system's refusal into its reason.
// Plain functions; any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace netloom::link {

// The file's bytes, or nothing with `error` set to the system's reason ("No such file or
// directory").
std::optional<std::string> ReadTextFile(const std::string& path, std::string& error);
// Replaces the file with `text`: empty on success, else the system's reason.
std::string WriteTextFile(const std::string& path, std::string_view text);

}  // namespace netloom::link
