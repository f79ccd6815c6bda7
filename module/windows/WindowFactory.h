#pragma once
// Hands the element the makers of its windows when the module loads, and takes them back.
void InstallElementWindows();
void RemoveElementWindows();
