#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

#include <set>
#include <string>
#include <vector>

class Coordinator;
class GridSpec;
class PhysicsCollision;

// Spatial queries on a grid's contents, as behaviours use them. Candidates are the ids of every
// band the shape touches; each is then tested exactly against its collider as last placed.
// Results are in ascending id order. A NaN centre, radius or end point finds nothing.

// Entities whose circle collider is nearer than the two radii or whose rectangle collider
// overlaps the circle; with a non-empty tag list only those carrying one of the tags.
std::vector<Entity> OverlapCircle(Coordinator& coordinator, const GridSpec& grid, const Vector2& centre, float radius,
                                  const std::vector<std::string>& tags);

// Keeps, in order, the candidates that OverlapCircle's exact test accepts.
void FilterByCircle(Coordinator& coordinator, const Vector2& centre, float radius, std::vector<Entity>& candidates,
                    const std::vector<std::string>& tags);

// Whether a collider touches the box of that centre and size: a circle by the circle-box test, a
// rectangle by strict overlap of the two boxes; line segments never do. The test of OverlapBox.
bool BoxMeetsCollider(const Vector2& centre, const Vector2& size, const PhysicsCollision& collision);

// Entities whose colliders the segment from-to crosses, less the ignored ones and, with a tag
// set, only those carrying one of its tags. Contacts are produced only when wantContacts is set
// and both points and normals are given: then only rectangles and circles count (a ray along
// to - from), and each hit's contact point and unit surface normal are appended in result order.
std::vector<Entity> Raycast(Coordinator& coordinator, const GridSpec& grid, const Vector2& from, const Vector2& to,
                            const std::set<Entity>* ignore = nullptr, bool wantContacts = false,
                            std::vector<Vector2>* points = nullptr, std::vector<Vector2>* normals = nullptr,
                            const std::set<std::string>* tags = nullptr);

// Keeps, in order, the candidates the segment crosses (see Raycast), appending contacts when
// wantContacts is set and both vectors are given.
void FilterBySegment(Coordinator& coordinator, const Vector2& from, const Vector2& to, std::vector<Entity>& candidates,
                     bool wantContacts, std::vector<Vector2>* points, std::vector<Vector2>* normals);
