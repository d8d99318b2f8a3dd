#include "engine/core/CommaList.h"

void SplitCommaList(const std::string& text, std::vector<std::string>& out)
{
    std::size_t start = 0;
    while (start < text.size())
    {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string::npos)
        {
            out.push_back(text.substr(start));
            return;
        }
        out.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}
