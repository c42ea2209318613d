#pragma once
// The component classes a page layout may name.

class LayoutLoader;

void registerPageClasses(LayoutLoader& loader);
