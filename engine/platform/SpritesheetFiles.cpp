#include "engine/platform/SpritesheetFiles.h"
#include "engine/core/Json.h"

SpritesheetData ReadSpritesheetLayout(const std::string& path)
{
    rapidjson::Document document;
    Json::ParseFile(path, document);
    JsonFileScope scope(path);
    if (!document.IsArray())
        Json::Error("(root)", "must be an array of frames");
    SpritesheetData data;
    for (const rapidjson::Value& element : document.GetArray())
    {
        if (!element.IsObject())
            Json::Error("(frame)", "must be an object");
        FrameRect frame;
        frame.x = Json::Float(element, "x");
        frame.y = Json::Float(element, "y");
        frame.width = Json::Float(element, "width");
        frame.height = Json::Float(element, "height");
        data.frames.push_back(frame);
    }
    return data;
}

SpritesheetTiming ReadSpritesheetFormat(const std::string& path)
{
    rapidjson::Document document;
    Json::ParseFile(path, document);
    JsonFileScope scope(path);
    if (!document.IsArray() || document.Empty() || !document[0].IsObject())
        Json::Error("(root)", "must be an array whose first element is an object");
    const rapidjson::Value& format = document[0];
    SpritesheetTiming timing;
    timing.frameDelay = Json::Float(format, "frameDelay");
    timing.ssWidth = Json::Float(format, "ssWidth");
    timing.ssHeight = Json::Float(format, "ssHeight");
    return timing;
}
