#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <utility>
#include <vector>

namespace tandrel {

// An option that takes one of a few words and stores the value a word
// stands for. Only the words are accepted (never the values' numbers), in
// any letter case, and the help lists them as "word|word|...".
template <typename Value>
CLI::Option* addChoiceOption(CLI::App& command, const std::string& name, Value& value,
                             std::vector<std::pair<std::string, Value>> words,
                             const std::string& description) {
    std::vector<std::string> names;
    std::string typeName;
    for (const auto& word : words) {
        names.push_back(word.first);
        typeName += (typeName.empty() ? "" : "|") + word.first;
    }
    return command
        .add_option_function<std::string>(
            name,
            [&value, words](const std::string& given) {
                for (const auto& word : words) {
                    if (CLI::detail::to_lower(given) == word.first) {
                        value = word.second;
                    }
                }
            },
            description)
        ->check(CLI::IsMember(names, CLI::ignore_case).description(""))
        ->type_name(typeName);
}

} // namespace tandrel
