// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The interface language the user chose in the settings. It is kept in the user's own
// translation file ("Allgemein"/"Sprache"), which decides at the next start.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kassavero {

class InterfaceLanguages {
  public:
    virtual ~InterfaceLanguages() = default;
    // The language sections of the translation file, in the file's order.
    virtual std::vector<std::u32string> Available() = 0;
    // The section the user's file names; empty: the desktop's language decides.
    virtual std::u32string Chosen() = 0;
    // Keeps the choice (empty: the desktop's language); false when the file could not be
    // written.
    virtual bool Choose(std::u32string_view section) = 0;
};

class FileInterfaceLanguages final : public InterfaceLanguages {
  public:
    FileInterfaceLanguages(std::filesystem::path translationFile, std::filesystem::path userFile);

    std::vector<std::u32string> Available() override;
    std::u32string Chosen() override;
    bool Choose(std::u32string_view section) override;

  private:
    std::filesystem::path translationFile_;
    std::filesystem::path userFile_;
};

}  // namespace kassavero
