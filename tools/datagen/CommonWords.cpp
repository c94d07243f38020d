#include "CommonWords.h"

namespace orvane::datagen {

// How the lists were made: every run of Chinese characters in the Chinese text was cut into
// all its 1-, 2-, 3- and 4-character strings and these were counted. The word list holds the
// 2- and 3-character strings that occur more than a thousand times, read one by one: all of
// them are pronouns, connectives, set phrases or names that stand in every other chapter,
// except 儿子, which stays out because sons are what many references follow, and those that
// are a particle and one other character ("我的", "的人", "的儿子"), which the particle
// trimming below already reduces to one character or to a real word. A shared word equal to
// one of them links nothing. From the 80 most frequent characters, only the bound
// particles that never open or close a word became grammar characters; pronouns and
// prepositions stay, since they open and close real words ("我的神", "在天上").
const std::vector<std::string>& CommonWords() {
    static const std::vector<std::string> words = {
        "以色列人", "耶和华", "以色列", "他们", "你们", "我们", "因为",
        "就是",     "没有",   "耶稣",   "自己", "那里", "一切", "时候",
        "一个",     "面前",   "大卫",   "知道", "不可", "什么", "犹大"};
    return words;
}

const std::vector<std::string>& LeadingGrammar() {
    static const std::vector<std::string> characters = {"的", "了", "着", "们", "之"};
    return characters;
}

const std::vector<std::string>& TrailingGrammar() {
    static const std::vector<std::string> characters = {"的", "了", "着"};
    return characters;
}

} // namespace orvane::datagen
