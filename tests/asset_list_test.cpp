#include "app/assets.h"
#include "app/frame.h"
#include "tests/support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using Entry = std::map<std::string, std::string>;

// The list's text as its strings (unquoted, the escapes left as they are)
// and brackets, in order: enough to read its arrays of strings and of flat
// objects of strings.
static std::vector<std::string> TokensOf(const std::string& text)
{
    std::vector<std::string> tokens;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '{' || text[i] == '}' || text[i] == '[' || text[i] == ']') {
            tokens.push_back(std::string(1, text[i]));
        } else if (text[i] == '"') {
            size_t end = i + 1;
            while (end < text.size() && text[end] != '"')
                end += text[end] == '\\' ? 2 : 1;
            tokens.push_back('"' + text.substr(i + 1, end - i - 1));
            i = end;
        }
    }
    return tokens;
}

// Where the array that key names begins, just past its "[".
static size_t ArrayOf(const std::vector<std::string>& tokens, const std::string& key)
{
    const auto found = std::find(tokens.begin(), tokens.end(), '"' + key);
    return found == tokens.end() ? tokens.size() : static_cast<size_t>(found - tokens.begin()) + 2;
}

static std::vector<std::string> StringsOf(const std::vector<std::string>& tokens, size_t at)
{
    std::vector<std::string> strings;
    for (; at < tokens.size() && tokens[at] != "]"; at++)
        strings.push_back(tokens[at].substr(1));
    return strings;
}

static std::vector<Entry> ObjectsOf(const std::vector<std::string>& tokens, size_t at)
{
    std::vector<Entry> objects;
    for (; at < tokens.size() && tokens[at] != "]"; at++) {
        objects.emplace_back();
        for (at++; at + 1 < tokens.size() && tokens[at] != "}"; at += 2)
            objects.back()[tokens[at].substr(1)] = tokens[at + 1].substr(1);
    }
    return objects;
}

// The list the build, the page and the server read, as it is now on disk,
// against the tables compiled into the program: the names in the order
// start-up reads them, each mode's program built from the files listed for
// it, the sprite, and the modes named as the status line names them.
TEST(AssetList, TheProgramReadsTheFilesAsListed)
{
    std::ifstream file(GLITTER_ASSET_LIST);
    std::stringstream text;
    text << file.rdbuf();
    const std::vector<std::string> tokens = TokensOf(text.str());
    const std::vector<std::string> modes = StringsOf(tokens, ArrayOf(tokens, "modes"));
    const std::vector<Entry> files = ObjectsOf(tokens, ArrayOf(tokens, "files"));
    ASSERT_FALSE(files.empty()) << "no files listed in " GLITTER_ASSET_LIST;

    std::vector<std::string> names, listedPrograms(modes.size(), " + "), compiledPrograms;
    std::string sprite;
    for (const Entry& entry : files) {
        const std::string& name = entry.at("name");
        names.push_back(name);
        const size_t mode = static_cast<size_t>(std::find(modes.begin(), modes.end(), entry.at("mode")) - modes.begin());
        ASSERT_LT(mode, modes.size()) << name;
        if (entry.at("role") == "vertex")
            listedPrograms[mode].insert(0, name);
        else if (entry.at("role") == "fragment")
            listedPrograms[mode] += name;
        else
            sprite = name;
    }
    for (const ProgramFiles& program : ShaderFiles)
        compiledPrograms.push_back(std::string(program.vertex) + " + " + (program.fragment ? program.fragment : ""));
    EXPECT_EQ(names, std::vector<std::string>(std::begin(AssetFiles), std::end(AssetFiles)));
    EXPECT_EQ(listedPrograms, compiledPrograms);
    EXPECT_EQ(sprite, SpriteFile);
    EXPECT_EQ(modes, std::vector<std::string>(std::begin(ModeNames), std::end(ModeNames)));
}
