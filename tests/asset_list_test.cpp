#include "app/assets.h"
#include "app/frame.h"
#include "tests/support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using Entry = std::map<std::string, std::string>;

// The "key": "string" pairs of one flat JSON object, whatever their order and
// spacing: all the list's entries hold.
static Entry PairsOf(const std::string& object)
{
    static const std::regex pair("\"(\\w+)\"\\s*:\\s*\"([^\"]*)\"");
    Entry entry;
    for (std::sregex_iterator it(object.begin(), object.end(), pair), end; it != end; ++it)
        entry[(*it)[1]] = (*it)[2];
    return entry;
}

// The array named key of the list's text: its strings, or its objects as
// pairs.
static std::string ArrayOf(const std::string& text, const std::string& key)
{
    std::smatch found;
    const std::regex array("\"" + key + "\"\\s*:\\s*\\[([^\\]]*)\\]");
    return std::regex_search(text, found, array) ? found[1].str() : "";
}

static std::vector<std::string> StringsOf(const std::string& array)
{
    static const std::regex string("\"([^\"]*)\"");
    std::vector<std::string> strings;
    for (std::sregex_iterator it(array.begin(), array.end(), string), end; it != end; ++it)
        strings.push_back((*it)[1]);
    return strings;
}

static std::vector<Entry> ObjectsOf(const std::string& array)
{
    static const std::regex object("\\{[^{}]*\\}");
    std::vector<Entry> objects;
    for (std::sregex_iterator it(array.begin(), array.end(), object), end; it != end; ++it)
        objects.push_back(PairsOf(it->str()));
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
    const std::vector<std::string> modes = StringsOf(ArrayOf(text.str(), "modes"));
    const std::vector<Entry> files = ObjectsOf(ArrayOf(text.str(), "files"));
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
