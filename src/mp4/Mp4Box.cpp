#include "mp4/Mp4Box.h"

std::string Mp4Box::typeText() const
{
    std::string text;
    for (const char character : type)
        text += character >= 0x20 && character < 0x7F ? character : '?';
    return text;
}
