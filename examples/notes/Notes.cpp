// notes: reading and writing the store, and each command's work.
#include "notes/Notes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>

namespace notes {

namespace {

struct Note {
    unsigned long id = 0;
    bool done = false;
    std::string date; // YYYY-MM-DD, the day it was added
    std::vector<std::string> tags;
    std::string text;
};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

/// Reads the notes of the store at `path`; a store that is not there holds
/// none. False, with `error` set, when it cannot be read.
bool load(const std::string& path, std::vector<Note>& notes, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read '" + path + "': " + std::strerror(errno);
        return errno == ENOENT;
    }
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> fields = split(line, '\t');
        if (fields.size() >= 4) { // anything else is no note
            notes.push_back({std::strtoul(fields[0].c_str(), nullptr, 10), fields[1] == "1",
                             fields[2], split(fields[3], ','), fields.size() > 4 ? fields[4] : ""});
        }
    }
    return true;
}

bool save(const std::string& path, const std::vector<Note>& notes) {
    std::ofstream out(path, std::ios::trunc);
    for (const Note& note : notes) {
        std::string tags;
        for (const std::string& tag : note.tags) {
            tags += (tags.empty() ? "" : ",") + tag;
        }
        out << note.id << '\t' << (note.done ? 1 : 0) << '\t' << note.date << '\t' << tags << '\t'
            << note.text << '\n';
    }
    out.close();
    if (!out) {
        std::cerr << "notes: cannot write '" << path << "': " << std::strerror(errno) << '\n';
    }
    return static_cast<bool>(out);
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    char text[16] = "";
    std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
    return text;
}

/// `text` as a JSON string.
std::string quoted(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            json += escape;
        } else {
            json += c;
        }
    }
    return json + '"';
}

void print(const Note& note, bool json) {
    if (!json) {
        std::cout << note.id << (note.done ? " [x] " : " [ ] ") << note.text;
        for (const std::string& tag : note.tags) {
            std::cout << " #" << tag;
        }
        std::cout << '\n';
        return;
    }
    std::string tags;
    for (const std::string& tag : note.tags) {
        tags += (tags.empty() ? "" : ", ") + quoted(tag);
    }
    std::cout << "{\"id\": " << note.id << ", \"done\": " << (note.done ? "true" : "false")
              << ", \"date\": " << quoted(note.date) << ", \"tags\": [" << tags
              << "], \"text\": " << quoted(note.text) << "}\n";
}

int list(const conkit::OptionParser& parser, const std::vector<Note>& notes) {
    const conkit::OptionParser& command = *parser.commandParser();
    unsigned long limit = 0; // none
    command.getValue("limit", limit);
    const std::string tag = command.value("tag");
    const std::string since = command.value("since");
    unsigned long shown = 0;
    for (const Note& note : notes) {
        const bool tagged = std::count(note.tags.begin(), note.tags.end(), tag) != 0;
        if ((tag.empty() || tagged) && note.date >= since && (limit == 0 || shown++ < limit)) {
            print(note, parser.value("format") == "json");
        }
    }
    return 0;
}

int add(const conkit::OptionParser& parser, std::vector<Note>& notes) {
    const conkit::OptionParser& command = *parser.commandParser();
    Note note{notes.empty() ? 1 : notes.back().id + 1, false, today(), command.values("tag"), ""};
    for (const std::string& word : command.operands("TEXT")) {
        note.text += (note.text.empty() ? "" : " ") + word;
    }
    std::replace_if(
        note.text.begin(), note.text.end(),
        [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    notes.push_back(note);
    if (!save(parser.value("store"), notes)) {
        return 1;
    }
    if (!parser.isSet("quiet")) {
        std::cout << "note " << note.id << " added\n";
    }
    return 0;
}

/// done and rm: every note named must be there (and done, for rm without
/// --force) before any is changed.
int change(conkit::OptionParser& parser, std::vector<Note>& notes) {
    conkit::OptionParser& command = *parser.commandParser();
    const bool remove = parser.command() == "rm";
    std::vector<unsigned long> ids(command.operands("ID").size());
    for (std::size_t at = 0; at < ids.size(); ++at) {
        command.getOperand("ID", ids[at], at);
        const auto note = std::find_if(notes.begin(), notes.end(),
                                       [&](const Note& each) { return each.id == ids[at]; });
        if (note == notes.end()) {
            return command.usageError("no note " + std::to_string(ids[at]));
        }
        if (remove && !note->done && !command.isSet("force")) {
            return command.usageError("note " + std::to_string(ids[at]) +
                                      " is not done; --force removes it all the same");
        }
    }
    for (const unsigned long id : ids) {
        const auto note = std::find_if(notes.begin(), notes.end(),
                                       [id](const Note& each) { return each.id == id; });
        if (remove && note != notes.end()) {
            notes.erase(note);
        } else if (note != notes.end()) {
            note->done = true;
        }
    }
    if (!save(parser.value("store"), notes)) {
        return 1;
    }
    for (const unsigned long id : ids) {
        if (!parser.isSet("quiet")) {
            std::cout << "note " << id << (remove ? " removed\n" : " done\n");
        }
    }
    return 0;
}

} // namespace

std::vector<std::string> storedTags(const std::string& path, const std::string& typed,
                                    const std::vector<std::string>& leftOut) {
    std::vector<Note> notes;
    std::string error;
    load(path, notes, error);
    std::vector<std::string> tags;
    for (const Note& note : notes) {
        for (const std::string& tag : note.tags) {
            if (tag.compare(0, typed.size(), typed) == 0 &&
                std::count(tags.begin(), tags.end(), tag) == 0 &&
                std::count(leftOut.begin(), leftOut.end(), tag) == 0) {
                tags.push_back(tag);
            }
        }
    }
    return tags;
}

int run(conkit::OptionParser& parser) {
    std::vector<Note> notes;
    std::string error;
    if (!load(parser.value("store"), notes, error)) {
        std::cerr << "notes: " << error << '\n';
        return 1;
    }
    const std::string command = parser.command();
    return command == "list"  ? list(parser, notes)
           : command == "add" ? add(parser, notes)
                              : change(parser, notes);
}

} // namespace notes
