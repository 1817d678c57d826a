#pragma once
// Registers the page guide and the frameset guide under the editor's "Guide..." and
// "Frameguide..." items.
void RegisterGuides();
