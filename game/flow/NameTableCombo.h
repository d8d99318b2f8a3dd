#pragma once
#include "game/definitions/NameTable.h"

#include <imgui.h>

#include <string>

// An inspector choice list over a name table: shows the code's word and sets the code of the word
// picked (the panels are part of the classes; this program never draws them).
template <class Code>
void NameTableCombo(const char* label, const NameTable<Code>& table, Code& code)
{
    const std::string current = table.KeyOf(code).value_or(std::string());
    if (!ImGui::BeginCombo(label, current.c_str()))
        return;
    for (const typename NameTable<Code>::Entry& entry : table.Walk())
        if (ImGui::Selectable(entry.key.empty() ? "(none)" : entry.key.c_str(), entry.code == code))
            code = entry.code;
    ImGui::EndCombo();
}
