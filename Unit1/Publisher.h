#pragma once
// The publisher whose name is the program's title and whose site every
// site link of both windows opens.

#include <QString>

inline QString publisherName()
{
    return QStringLiteral("نشر فرهنگی نیوا");
}

// The product title: the windows' caption, which no caption bar shows.
inline QString productTitle()
{
    return QStringLiteral("نيوارا - پرسش و پاسخ نماز");
}

// A bare host name, as the links show it and hand it to the shell.
inline const char* publisherAddress()
{
    return "www.nivara.ir";
}
