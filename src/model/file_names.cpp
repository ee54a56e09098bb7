#include "file_names.h"

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string BareName(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ResolveInFolder(const std::string& folder, const std::string& name)
{
    if (name.find('/') != std::string::npos || folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string WithLastThree(const std::string& name, const std::string& ending)
{
    if (name.size() < 3)
        return name + ending;
    return name.substr(0, name.size() - 3) + ending;
}

std::string SaveAsName(const std::string& chosenPath)
{
    std::string name = BareName(chosenPath);
    size_t point = name.find('.');
    if (point != std::string::npos)
        name.resize(point);
    return name + ".lcd";
}
