#include "support/content/ContentFinding.h"

std::string ContentFinding::Text() const
{
    return entity.empty() ? file + ": " + problem : file + ", " + entity + ": " + problem;
}

std::ostream& operator<<(std::ostream& out, const ContentFinding& finding)
{
    return out << finding.Text();
}
