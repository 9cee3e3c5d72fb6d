#pragma once

#include <QString>

// How a word stands to its neighbours in 分かち書き.
enum class Role {
    Word,        // an independent word: a blank before it
    Attached,    // particle, auxiliary, suffix: joined to the word before
    Prefix,      // joined to the word after
    Punctuation, // stays where it is, with no blank after it
    Closing,     // a closing bracket: joined before, a word may follow after a blank
    Opening,     // an opening bracket: begins a word, and the word after it is joined to it
    Blank,       // a full-width space of the source
};

// Where a rule has decided the blank before a word itself.
enum class Join {
    ByRole, // as the roles of the two words say
    Blank,
    Joined,
};

// What the rules make of a dictionary entry's word by itself, decided when
// the entry is first met: most words of a text are entries met before, and
// asking the rules again for each costs more than the dictionary's own
// analysis. A decision that looked at the word before is made again for
// every word.
struct WordDecision
{
    bool decided = false;
    bool known = true; // made for a word the dictionary knows
    QString kana;      // the braille kana, place features apart
    bool kanaAsksBefore = false;
    Role role = Role::Word;
    bool roleAsksBefore = false;
    bool compoundElement = false; // a noun that may be an element of a compound
    bool signFree = false;        // kana and kanji alone
    bool personName = false;      // a person's name
    bool afterNameWord = false;   // a title or a work's kind after a name (さん, 著)
};
