// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The client side of the document conversion protocol, as a word-processor macro speaks
// it: open a session, hand over the text piece by piece, find and confirm each change,
// write the replacements into the document, close the session. Used by kassavero-dde.
//
// The document is Unicode (UTF-8 here); offsets are code points on both sides. Every
// character outside the changes is copied from the original.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/program_text.h"
#include "core/text_pieces.h"

namespace kassavero {

// Runs "<item>:<command>" in the program and returns the item's reply without its
// square brackets (UTF-8). Throws (any std::exception) when the program cannot be
// reached.
class CommandChannel {
  public:
    virtual ~CommandChannel() = default;
    virtual std::string Call(std::string_view item, std::string_view command) = 0;
    // The same when the reply is not needed; a transport may then save the request.
    virtual void Send(std::string_view item, std::string_view command) { Call(item, command); }
};

struct DocumentConversionResult {
    enum class Outcome {
        Done,           // every piece searched to its end
        Cancelled,      // the user cancelled; the changes made until then are kept
        NoSession,      // the program could not open a session
        ProtocolError,  // the program answered "ERROR. ..." or something unreadable
    };
    Outcome outcome = Outcome::Done;
    std::string text;         // the converted document (UTF-8); the original on failure
    std::size_t found = 0;    // changes the program proposed
    bool allCounted = true;   // false when a cancelled run could not count to the end
    std::size_t changed = 0;  // changes accepted and written
    std::string error;        // the reply that stopped the conversion
};

// Converts a UTF-8 document through the channel, one call per step: confirm asks the
// user for each change in the program's confirmation dialog, otherwise each change is
// confirmed without it. A channel that takes whole texts in one command
// (takesWholeLines) gets the pieces of SplitIntoWordPieces, otherwise one line at a
// time.
struct DocumentConversionOptions {
    bool confirm = false;
    bool takesWholeLines = false;
};
DocumentConversionResult ConvertDocument(CommandChannel& channel, std::string_view utf8Text,
                                         const DocumentConversionOptions& options,
                                         const std::string& clientName);
inline DocumentConversionResult ConvertDocument(CommandChannel& channel, std::string_view utf8Text,
                                                bool confirm, const std::string& clientName) {
    return ConvertDocument(channel, utf8Text, DocumentConversionOptions{confirm, false},
                           clientName);
}

// The three text fields of a "YES;" reply, with "\;" read as ";".
std::vector<std::string> SplitEscapedFields(std::string_view text);

}  // namespace kassavero
