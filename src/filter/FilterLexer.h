#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class TokenKind : unsigned char {
    End,
    Error,   // a lexical fault; `text` holds the message
    Name,    // plain name: keyword, function or field
    Field,   // field name in brackets; `text` holds the name
    String,  // `text` holds the value
    Number,  // `text` holds the source
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Plus,
    Minus,
    Star,
    Slash,
    LeftParen,
    RightParen,
    Comma,
};

struct Token {
    TokenKind kind = TokenKind::End;
    int position = 0;  // 0-based offset of the token in the text
    std::string text;
    std::string source;  // the token as written

    // The token as error messages name it: quoted, or the word nothing at the end.
    std::string describe() const;
};

// Splits a filter text into tokens. The list always ends with an End token, or with an Error
// token at the first fault (the parser reports it only if it gets that far).
//
// A string constant keeps a quote that is doubled, and also a lone quote that has a further quote
// after it and is followed (past blanks and closing parentheses) by an ordinary word, so that
// 'O'Brien' reads as O'Brien. A string holds at most 256 characters.
std::vector<Token> tokenizeFilter(std::string_view text, char decimalSeparator);

// True for the plain names AND, OR, NOT, LIKE, IN and IS in any case: keywords that join operands.
bool isOperatorKeyword(std::string_view name);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace corvane
