#!/usr/bin/env python3
"""Golden field values for the drawing tests, from the closed-form Fresnel formulas.

Written from the physics alone (plain Python complex numbers), not from the program: the roots
are chosen so that every wave decays or stays bounded away from the interface, Im k2 <= 0 and
Im(k2 cos t) <= 0, time dependence exp(+j w t). Prints the lines that tests/render_test.cpp
holds and writes the whole readouts it reads, readouts.txt; run it after changing a scenario:

    python3 tests/golden/fresnel_fields.py
"""
import cmath
import math

C0 = 299792458.0
MU0 = 1.256637061435917e-6
EPS0 = 8.854187817620389e-12


def decaying(root, k=1.0):
    """The root r or -r for which k r decays towards +z (Im(k r) < 0, or Re(k r) >= 0)."""
    p = k * root
    if p.imag > 1e-15 * abs(p) or (abs(p.imag) <= 1e-15 * abs(p) and p.real < 0):
        return -root
    return root


def solve(ex, ey, phi_x, phi_y, theta_i, eps1, mu1, eps2, mu2, sigma2, freq):
    w = 2 * math.pi * freq
    i = math.radians(theta_i)
    e1, m1 = EPS0 * eps1, MU0 * mu1
    e2, m2 = EPS0 * eps2 - 1j * sigma2 / w, MU0 * mu2
    k1 = w * math.sqrt(m1 * e1)
    k2 = decaying(w * cmath.sqrt(m2 * e2))
    eta1, eta2 = math.sqrt(m1 / e1), cmath.sqrt(m2 / e2)
    sin_t = k1 * math.sin(i) / k2
    cos_t = decaying(cmath.sqrt(1 - sin_t * sin_t), k2)
    ci = math.cos(i)
    g_par = (eta2 * cos_t - eta1 * ci) / (eta2 * cos_t + eta1 * ci)
    g_perp = (eta2 * ci - eta1 * cos_t) / (eta2 * ci + eta1 * cos_t)
    t_par = 2 * eta2 * ci / (eta2 * cos_t + eta1 * ci)
    t_perp = 2 * eta2 * ci / (eta2 * ci + eta1 * cos_t)
    Ex = ex * cmath.exp(1j * math.radians(phi_x))
    Ey = ey * cmath.exp(1j * math.radians(phi_y))
    return dict(w=w, i=i, k1=k1, k2=k2, sin_t=sin_t, cos_t=cos_t, Ex=Ex, Ey=Ey,
                g_par=g_par, g_perp=g_perp, t_par=t_par, t_perp=t_perp)


def real_field(vector, phase):
    return tuple((c * phase).real for c in vector)


def incident(s, t, s_m):
    """s_m metres along the incident ray, towards the interface point (s_m <= 0 before it)."""
    i = s["i"]
    v = (s["Ex"] * math.cos(i), s["Ey"], -s["Ex"] * math.sin(i))
    return real_field(v, cmath.exp(1j * (s["w"] * t - s["k1"] * s_m)))


def reflected(s, t, s_m):
    """-s_m metres along the reflected ray, away from the interface point."""
    i = s["i"]
    a = s["g_par"] * s["Ex"]
    v = (a * math.cos(i), s["g_perp"] * s["Ey"], a * math.sin(i))
    return real_field(v, cmath.exp(1j * (s["w"] * t + s["k1"] * s_m)))


def transmitted(s, t, x, z):
    a = s["t_par"] * s["Ex"]
    v = (a * s["cos_t"], s["t_perp"] * s["Ey"], -a * s["sin_t"])
    return real_field(v, cmath.exp(1j * s["w"] * t - 1j * s["k2"] * (x * s["sin_t"] + z * s["cos_t"])))


SCENARIOS = {
    # name: ex, ey, phi_x, phi_y (deg), theta_i (deg), eps_r1, mu_r1, eps_r2, mu_r2, sigma2 (S/m), f (Hz)
    "circular 0 (total internal reflection)": (5, 5, 0, -90, 53.13, 2.25, 1, 1, 1, 0, 3.18e8),
    "linear 3 (0.3 S/m)": (15, 20, -30, 150, 40, 1, 1, 10, 1, 0.3, 1e9),
    "elliptical 1 (8 S/m)": (10, 6, 0, -90, 30, 1, 1, 8, 1, 8, 1e10),
}
# Fractions of a period and positions (metres): along the ray in medium 1, (x, z) in medium 2.
SAMPLES = [(0.0, 0.0, (0.0, 0.0)), (0.3, -0.05, (0.02, 0.0)), (0.71, -0.12, (0.01, 0.004))]

for name, args in SCENARIOS.items():
    s = solve(*args)
    print(f"// {name}")
    for fraction, s_m, (x, z) in SAMPLES:
        t = fraction / args[-1]
        for kind, value in (("incident", incident(s, t, s_m)), ("reflected", reflected(s, t, s_m)),
                            ("transmitted", transmitted(s, t, x, z))):
            print(f"    {{{fraction}, {s_m}, {x}, {z}, \"{kind}\", {{{value[0]:.9g}, {value[1]:.9g}, {value[2]:.9g}}}}},")

# The start-up scenario as the scene draws it at frame 2 (t = one hundredth of a period):
# arrow bases and tips (scene units) of three samples per ray, and one sphere of each trace.
args = (0.8, 1.0, 0, -90, 20, 1, 1, 4, 1, 0, 1e9)
s = solve(*args)
period = 1 / args[-1]
lambda1 = C0 / math.sqrt(args[5] * args[6]) / args[-1]
ex, ey, sin_t, cos_t = args[0], args[1], s["sin_t"], s["cos_t"]
display_scale = max(ex, ey, 0.01, abs(s["t_par"]) * ex, abs(s["t_perp"]) * ey)
scale = 0.98 / display_scale
t2 = period / 100
si, ci = math.sin(s["i"]), math.cos(s["i"])
M = max(s["k2"].real, (s["k2"] * sin_t).real)
h = 2 * math.pi / M / 20
dir_x, dir_z = min(sin_t.real, 1), cos_t.real


def tip(base, field):
    return tuple(b + scale * f for b, f in zip(base, field))


def arrow(name, base, field):
    end = tip(base, field)
    print(f"    {{\"{name}\", {{{base[0]:.9g}, {base[1]:.9g}, {base[2]:.9g}}}, "
          f"{{{end[0]:.9g}, {end[1]:.9g}, {end[2]:.9g}}}}},")


print("// start-up scenario, frame 2: arrows")
for i in (-16, -8, 0):
    a = i * 0.192
    arrow(f"incident {i}", (-0.68 + a * si, 0, -0.7 + a * ci), incident(s, t2, i * lambda1 / 20))
    arrow(f"reflected {i}", (0.68 - a * si, 0, -0.7 + a * ci), reflected(s, t2, i * lambda1 / 20))
for n in (0, 8, 16):
    arrow(f"transmitted {n}", (n * 0.192 * dir_x, 0, 0.7 + n * 0.192 * dir_z),
          transmitted(s, t2, n * h * dir_x, n * h * dir_z))
print("// start-up scenario: trace sphere centres of sample b")
for b in (1, 18, 70):
    t = (b - 1) * period / 100
    a = -16 * 0.192
    for name, point, field in (
            ("incident", (-0.68 + a * si, 0, -0.7 + a * ci), incident(s, t, -0.192)),
            ("reflected", (0.68 - a * si, 0, -0.7 + a * ci), reflected(s, t, -0.192)),
            ("transmitted", (16 * 0.192 * dir_x, 0, 0.7 + 16 * 0.192 * dir_z),
             transmitted(s, t, 16 * h * dir_x, 16 * h * dir_z))):
        c = tip(point, field)
        print(f"    {{{b}, \"{name}\", {{{c[0]:.9g}, {c[1]:.9g}, {c[2]:.9g}}}}},")

# Angles where a reflection vanishes, found by minimising |Gamma| over theta_i (golden-section
# search), not from a closed form: the Brewster angle of magnetic media (deg).
def minimum_angle(args, key, lo=0.0, hi=89.999999):
    f = lambda th: abs(solve(*(args[:4] + (th,) + args[5:]))[key])
    g = (math.sqrt(5) - 1) / 2
    for _ in range(200):
        a, b = hi - g * (hi - lo), lo + g * (hi - lo)
        if f(a) < f(b):
            hi = b
        else:
            lo = a
    return (lo + hi) / 2


print("// Brewster angles of magnetic media (Gamma_par = 0), critical angles (n = sqrt(eps mu))")
for eps1, mu1, eps2, mu2 in ((1, 1, 4, 2), (9, 1, 2, 2), (1, 1, 2, 5)):
    args = (1, 1, 0, 0, 0, eps1, mu1, eps2, mu2, 0, 1e9)
    n1, n2 = math.sqrt(eps1 * mu1), math.sqrt(eps2 * mu2)
    critical = math.degrees(math.asin(n2 / n1)) if n2 < n1 else -1
    print("    {%g, %g, %g, %g, %.9f, %.9f}," % (eps1, mu1, eps2, mu2,
                                                   minimum_angle(args, "g_par"), critical))


EXAMPLES = [
    ("linear 0", (50, 0, 0, -90, 35, 2.25, 1, 10, 1, 0, 1e9)),
    ("linear 1", (0, 78, 0, -90, 31.806, 2.6, 1, 1, 1, 0, 3.85e8)),
    ("linear 2", (15, 20, -30, -30, 29, 4, 1, 1, 1, 0, 2e9)),
    ("linear 3", (15, 20, -30, 150, 40, 1, 1, 10, 1, 0.3, 1e9)),
    ("circular 0", (5, 5, 0, -90, 53.13, 2.25, 1, 1, 1, 0, 3.18e8)),
    ("circular 1", (5, 5, 0, -90, 0, 2.25, 1, 1, 1, 0, 3.18e8)),
    ("circular 2", (5, 5, 0, -90, 33.69, 2.25, 1, 1, 1, 0, 3.18e8)),
    ("circular 3", (5, 5, 0, -90, 41.8103165, 2.25, 1, 1, 1, 0, 3.18e8)),
    ("elliptical 0", (5, 5, 0, -60, 40, 1, 1, 12, 1, 0, 1e9)),
    ("elliptical 1", (10, 6, 0, -90, 30, 1, 1, 8, 1, 8, 1e10)),
    ("elliptical 2", (0.8, 1, 0, -90, 20, 1, 1, 4, 1, 0, 1e9)),
]


def frequency_text(hz):
    k = 0
    while k < 5 and abs(hz) >= 1000:
        hz /= 1000
        k += 1
    return "%g %sHz" % (hz, ["", "k", "M", "G", "T", "P"][k])


# The named materials' models, from their papers (docs/guide.md): each gives (eps_r', mu_r,
# sigma) at f (Hz), every loss as a conductivity, eps_r = eps_r' - j sigma / (w eps0).
def _eps(e, f, sigma=0.0):
    return (e.real, 1.0, sigma - 2 * math.pi * f * EPS0 * e.imag)


def _sellmeier(f, terms):
    l2 = (C0 / f * 1e6) ** 2
    return (1 + sum(b * l2 / (l2 - c) for b, c in terms), 1.0, 0.0)


def _itu(f, a, b, c, d):
    g = f / 1e9
    return (a * g ** b, 1.0, c * g ** d)


def _water(f, t=20.0):
    es = (37088.6 - 82.168 * t) / (421.854 + t)
    e1 = 5.7230 + 2.2379e-2 * t - 7.1237e-4 * t * t
    n1 = (45 + t) / (5.0478 - 7.0315e-2 * t + 6.0059e-4 * t * t) * 1e9
    einf = 3.6143 + 2.8841e-2 * t
    n2 = (45 + t) / (1.3652e-1 + 1.4825e-3 * t + 2.4166e-4 * t * t) * 1e9
    return _eps((es - e1) / (1 + 1j * f / n1) + (e1 - einf) / (1 + 1j * f / n2) + einf, f, 0.001)


def _seawater(f, t=20.0, s=35.0):
    es = (87.134 - 1.949e-1 * t - 1.276e-2 * t ** 2 + 2.491e-4 * t ** 3) * (
        1 + 1.613e-5 * s * t - 3.656e-3 * s + 3.210e-5 * s ** 2 - 4.232e-7 * s ** 3)
    tau = (1.768e-11 - 6.086e-13 * t + 1.104e-14 * t ** 2 - 8.111e-17 * t ** 3) * (
        1 + 2.282e-5 * s * t - 7.638e-4 * s - 7.760e-6 * s ** 2 + 1.105e-8 * s ** 3)
    d = 25 - t
    sigma = s * (0.182521 - 1.46192e-3 * s + 2.09324e-5 * s ** 2 - 1.28205e-7 * s ** 3) * math.exp(
        -d * (2.033e-2 + 1.266e-4 * d + 2.464e-6 * d * d - s * (1.849e-5 - 2.551e-7 * d + 2.551e-8 * d * d)))
    return _eps(4.9 + (es - 4.9) / (1 + 2j * math.pi * f * tau), f, sigma)


def _quan_fry(f, t=20.0, s=35.0):
    l = C0 / f * 1e9
    n = (1.31405 + (1.779e-4 - 1.05e-6 * t + 1.6e-8 * t * t) * s - 2.02e-6 * t * t
         + (15.868 + 0.01155 * s - 0.00423 * t) / l - 4382 / l ** 2 + 1.1455e6 / l ** 3)
    return (n * n, 1.0, 0.0)


def _lorentz_drude(f, wp, f0, g0, lines):
    w = f * 4.135667696e-15
    e = 1 - f0 * wp * wp / (w * (w + 1j * g0))  # the paper's exp(-i w t)
    e += sum(fj * wp * wp / (wj * wj - w * w - 1j * w * gj) for fj, gj, wj in lines)
    return _eps(e.conjugate(), f)


const = lambda e, m, s: (lambda f: (e, m, s))
ULABY, BULK, RAKIC = "constant (Ulaby's tables)", "bulk conductivity", "Lorentz-Drude (Rakic et al. 1998)"
MATERIALS = {  # name: (may be medium 1, [(low Hz, high Hz, model, values)])
    "vacuum": (True, [(1e3, 1e15, "exact", const(1, 1, 0))]),
    "air": (True, [(1e3, 1e15, ULABY, const(1.0006, 1, 0))]),
    "teflon": (True, [(1e3, 1e10, ULABY, const(2.1, 1, 0))]),
    "glass": (True, [(1e8, 1e11, "ITU-R P.2040 glass", lambda f: _itu(f, 6.31, 0, 0.0036, 1.3394)),
                     (1.2e14, 1e15, "Sellmeier of N-BK7 (Schott)", lambda f: _sellmeier(
                         f, [(1.03961212, 0.00600069867), (0.231792344, 0.0200179144),
                             (1.01046945, 103.560653)]))]),
    "water": (False, [(1e3, 5e11, "double Debye (Meissner & Wentz 2004)", _water),
                      (2.65e14, 1e15, "Sellmeier (Daimon & Masumura 2007)", lambda f: _sellmeier(
                          f, [(5.684027565e-1, 5.101829712e-3), (1.726177391e-1, 1.821153936e-2),
                              (2.086189578e-2, 2.620722293e-2), (1.130748688e-1, 1.069792721e1)]))]),
    "seawater": (False, [(1e3, 1e11, "Debye with salinity (Klein & Swift 1977)", _seawater),
                         (4e14, 7.5e14, "Quan & Fry 1995", _quan_fry)]),
    "copper": (False, [(1e3, 1e12, BULK, const(1, 1, 5.8e7)),
                       (2.4e13, 1e15, RAKIC, lambda f: _lorentz_drude(f, 10.83, 0.575, 0.030, [
                           (0.061, 0.378, 0.291), (0.104, 1.056, 2.957), (0.723, 3.213, 5.300),
                           (0.638, 4.305, 11.18)]))]),
}


def material(name, f):
    """(values, the readout's note) of a named material at f: the model whose band holds f, or
    the values of the nearest band edge (on a logarithmic axis) and what is missing."""
    bands = MATERIALS[name][1]
    for low, high, model, values in bands:
        if low <= f <= high:
            return values(f), "%s: %s" % (name, model)
    edge, values = min(((e, v) for low, high, _, v in bands for e in (low, high)),
                       key=lambda ev: abs(math.log(f / ev[0])))
    below = [high for low, high, _, _ in bands if high < f]
    above = [low for low, high, _, _ in bands if low > f]
    gap = ("below %s" % frequency_text(above[0]) if not below else
           "above %s" % frequency_text(below[-1]) if not above else
           "from %s to %s" % (frequency_text(below[-1]), frequency_text(above[0])))
    return values(edge), "%s: no model %s; values of %s" % (name, gap, frequency_text(edge))


def named_scenario(args, names):
    """The scenario with each named medium's values at its frequency (medium 1 without loss)."""
    args = list(args)
    if names[0]:
        args[5], args[6], _ = material(names[0], args[10])[0]
    if names[1]:
        args[7], args[8], args[9] = material(names[1], args[10])[0]
    return tuple(args)


def fraction(f):
    """A power fraction as shown: rounding's hair below zero reads 0.0000, not -0.0000."""
    return 0.0 if -1e-9 < f <= 0 else f


def readout(origin, args, names, status):
    """The readout's lines, from the closed forms: names are the media's material names (or
    None)."""
    ex, ey, phi_x, phi_y, theta, eps1, mu1, eps2, mu2, sigma2, f = args
    s = solve(*args)
    w = s["w"]
    lines = [origin, "theta_i %.4f deg  |Ex| %.2f  |Ey| %.2f" % (theta, ex, ey),
             "phi_x %g deg  phi_y %g deg" % (phi_x, phi_y)]
    prefix = lambda k: "medium %d: " % k + (names[k - 1] + ", " if names[k - 1] else "")
    lines.append(prefix(1) + "eps_r %g  mu_r %g" % (eps1, mu1))
    lines.append(prefix(2) + "eps_r %g  mu_r %g  sigma %g S/m" % (eps2, mu2, sigma2))
    lines.append("frequency " + frequency_text(f))
    for k, name in enumerate(names):
        if name and (k == 0 or name != names[0]):
            values, note = material(name, f)
            lines.append(note)
            if k == 0 and values[2] > 0:
                lines.append("%s as medium 1: its loss left out" % name)
    n2 = cmath.sqrt(mu2 * (eps2 - 1j * sigma2 / (w * EPS0)))
    lines.append("n2 %.5g - j%.5g  loss tangent %.4g" % (n2.real, -n2.imag + 0.0,
                                                          sigma2 / (w * EPS0 * eps2)))
    eta2 = cmath.sqrt(MU0 * mu2 / (EPS0 * eps2 - 1j * sigma2 / w))
    lines.append("eta2 %.5g ohm at %.2f deg" % (abs(eta2), math.degrees(cmath.phase(eta2))))
    gx, gz = 1j * s["k2"] * s["sin_t"], 1j * s["k2"] * s["cos_t"]
    theta_t = math.degrees(math.atan2(gx.imag, gz.imag))
    direction = ("transmitted along the interface" if theta_t >= 89.9999
                 else "transmitted at %.4f deg" % theta_t)
    if gz.real > 0:
        depth = 1 / gz.real
        k = 0
        while k < 4 and depth * 1000 ** (3 - k) >= 1000:
            k += 1
        lines += [direction, "  decays %.4g Np/m, to 1/e in %.3g %s" % (
            gz.real, depth * 1000 ** (3 - k), ["nm", "\u00b5m", "mm", "m", "km"][k])]
    else:
        lines.append(direction + ", no decay")
    n1, nn2 = math.sqrt(eps1 * mu1), cmath.sqrt(eps2 * mu2).real
    # A lossy medium 2 has no Brewster angle, only the least R_par: its pseudo-Brewster angle.
    # Below the critical angle only: beyond it |Gamma_par| = 1. Alike media reflect nothing
    # anywhere, so have no such angle.
    critical = math.degrees(math.asin(nn2 / n1)) if sigma2 == 0 and nn2 < n1 else None
    least = minimum_angle(args, "g_par", hi=critical or 89.999999)
    lossless_zero = abs(solve(*(args[:4] + (least,) + args[5:]))["g_par"]) <= 1e-6
    alike = (eps1, mu1, sigma2) == (eps2, mu2, 0)
    specials = [("pseudo-Brewster" if sigma2 else "Brewster", "theta_B",
                 least if sigma2 or (lossless_zero and not alike) else None),
                ("critical", "theta_c", critical)]
    for name, symbol, angle in specials:
        if angle is None:
            lines.append((name if name != "pseudo-Brewster" else "Brewster") + ": none")
        else:
            d = theta - angle
            lines.append(("%s %.4f deg, theta_i - %s %+.4f" if d == 0 or abs(d) >= 1e-3
                          else "%s %.4f deg, theta_i - %s %+.2g") % (name, angle, symbol, d))
    shown = lambda deg: 0.0 if abs(deg) < 0.05 else deg  # never "-0.0"
    for label, key in (("Gamma_par ", "g_par"), ("Gamma_perp", "g_perp"), ("tau_par   ", "t_par"),
                       ("tau_perp  ", "t_perp")):
        lines.append("%s %.4f at %.1f deg" % (label, abs(s[key]),
                                              shown(math.degrees(cmath.phase(s[key])))))
    ci = math.cos(s["i"])
    r_par, r_perp = abs(s["g_par"]) ** 2, abs(s["g_perp"]) ** 2
    t_perp = abs(s["t_perp"]) ** 2 * (mu1 / mu2) * (s["k2"] * s["cos_t"]).real / (s["k1"] * ci)
    t_par = abs(s["t_par"]) ** 2 * (mu1 / mu2) * (s["k2"].conjugate() * s["cos_t"]).real / (s["k1"] * ci)
    lines.append("R_par  %.4f  T_par  %.4f" % (fraction(r_par), fraction(t_par)))
    lines.append("R_perp %.4f  T_perp %.4f" % (fraction(r_perp), fraction(t_perp)))
    wp, ws = ex * ex, ey * ey
    r, t = (wp * r_par + ws * r_perp) / (wp + ws), (wp * t_par + ws * t_perp) / (wp + ws)
    lines.append("R %.4f  T %.4f  R+T %.4f" % (fraction(r), fraction(t), r + t))
    # The normal components of S = 1/2 Re(E x H*), H = k x E / (w mu), of each wave.
    si = math.sin(s["i"])
    cross = lambda a, b: (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                          a[0] * b[1] - a[1] * b[0])
    def s_z(k, e, mu):
        h = [c / (w * mu * MU0) for c in cross(k, e)]
        return 0.5 * cross(e, [c.conjugate() for c in h])[2].real
    gp, gs, tp, ts = (s[key] for key in ("g_par", "g_perp", "t_par", "t_perp"))
    Ex, Ey, k1, k2 = s["Ex"], s["Ey"], s["k1"], s["k2"]
    s_in = s_z((k1 * si, 0, k1 * ci), (Ex * ci, Ey, -Ex * si), mu1)
    s_refl = -s_z((k1 * si, 0, -k1 * ci), (gp * Ex * ci, gs * Ey, gp * Ex * si), mu1) / s_in
    s_trans = s_z((k2 * s["sin_t"], 0, k2 * s["cos_t"]),
                  (tp * Ex * s["cos_t"], ts * Ey, -tp * Ex * s["sin_t"]), mu2) / s_in
    lines.append("S_z: in 1  refl %.4f  trans %.4f  sum %.4f" % (
        fraction(s_refl), fraction(s_trans), s_refl + s_trans))
    if status:
        lines.append(status)
    return lines


PANELS = [  # the named media's values are set from their models
    ("seawater at 100 MHz from air (lossy, named)",
     "custom (from elliptical 2)", (0.8, 1, 0, -90, 30, 1, 1, 1, 1, 0, 1e8), ("air", "seawater"), ""),
    ("a magnetic medium 2 below the critical angle (numbers)",
     "magnetic", (1, 0.5, 30, 0, 30, 9, 1, 2, 2, 0, 1e9), (None, None), "paused"),
    ("window glass at 1 GHz", "glass", (1, 1, 0, -90, 45, 1, 1, 1, 1, 0, 1e9), ("vacuum", "glass"), ""),
    ("copper at 1 GHz: a skin depth in micrometres, its pseudo-Brewster angle 89.9876 degrees",
     "copper", (1, 1, 0, -90, 30, 1, 1, 1, 1, 5.8e7, 1e9), (None, None), ""),
    ("teflon onto dry soil at 89 degrees: a phase a hair below zero reads 0.0",
     "soil", (1, 1, 0, -90, 89, 2.1, 1, 3, 1, 1.5e-4, 1e9), (None, None), ""),
    ("vacuum onto vacuum: nothing reflected reads 0.0000",
     "none", (1, 1, 0, -90, 0, 1, 1, 1, 1, 0, 1e9), (None, None), ""),
    ("water between its models, at 600 GHz", "water", (1, 1, 0, -90, 30, 1, 1, 1, 1, 0, 6e11),
     ("vacuum", "water"), ""),
    ("glass below its models as a lossy medium 1, onto teflon above its model", "glass to teflon",
     (1, 1, 0, -90, 20, 1, 1, 1, 1, 0, 2e11), ("glass", "teflon"), ""),
    ("copper in light, at 1 eV: a Lorentz-Drude metal, eps_r' < 0", "copper in light",
     (1, 1, 0, -90, 60, 1, 1, 1, 1, 0, 1 / 4.135667696e-15), ("air", "copper"), ""),
    ("seawater in yellow light", "sea", (1, 1, 0, -90, 50, 1, 1, 1, 1, 0, C0 / 589.3e-9),
     ("air", "seawater"), ""),
]
# Every example's readout, and the panels above, into readouts.txt: each block opens with
# "== EXAMPLE | the eleven numbers of SCENARIOS | MEDIUM 1 | MEDIUM 2 | STATUS" ("-" for none).
with open(__file__.replace("fresnel_fields.py", "readouts.txt"), "w", encoding="utf-8") as out:
    out.write("# The readouts of tests/render_test.cpp, from the closed forms: made by\n"
              "# fresnel_fields.py, not by hand.\n")
    blocks = [(str(k), name, args, (None, None), "") for k, (name, args) in enumerate(EXAMPLES)]
    blocks.insert(2, ("1", "linear 1: TE wave at the Brewster angle", EXAMPLES[1][1],
                      (None, None), "paused"))
    blocks += [("-", origin, named_scenario(args, names), names, status)
               for _, origin, args, names, status in PANELS]
    for example, origin, args, names, status in blocks:
        out.write("\n== %s | %s | %s | %s | %s\n" % (
            example, " ".join(repr(float(v)) for v in args), names[0] or "-", names[1] or "-",
            status or "-"))
        out.write("\n".join(readout(origin, args, names, status)) + "\n")

print("// pseudo-Brewster angle (least R_par) of wet soil and concrete at 1.8 GHz, TE Brewster of")
print("// magnetic media (Gamma_perp = 0)")
for eps2, sigma2 in ((30, 0.15), (5.24, 0.0462)):
    args = (1, 1, 0, 0, 0, 1, 1, eps2, 1, sigma2, 1.8e9)
    print("    %.9f," % minimum_angle(args, "g_par"))
for eps1, mu1, eps2, mu2 in ((1, 1, 4, 2), (1, 1, 2, 5)):
    print("    %.9f," % minimum_angle((1, 1, 0, 0, 0, eps1, mu1, eps2, mu2, 0, 1e9), "g_perp"))

# The solver's records of tests/physics_test.cpp: k2, sin t, cos t, Gamma_par, Gamma_perp,
# tau_par, tau_perp (complex), the display scale, and the four phases arg + phi (rad).
SOLVER_ROWS = [
    ("start-up", (0.8, 1, 0, -90, 20, 1, 1, 4, 1, 0, 1e9)),
    ("normal incidence", (1, 1, 0, 0, 0, 1, 1, 4, 1, 0, 1e9)),
    ("just below critical", (5, 5, 0, 0, 41.81, 2.25, 1, 1, 1, 0, 3.18e8)),
    ("just beyond critical", (5, 5, 0, 0, 41.8103165, 2.25, 1, 1, 1, 0, 3.18e8)),
    ("total reflection", (5, 5, 0, 0, 53.13, 2.25, 1, 1, 1, 0, 3.18e8)),
    ("lossy, phases above pi", (1, 1, -30, 150, 40, 1, 1, 10, 1, 0.3, 1e9)),
    ("near Brewster", (1, 1, 0, 0, 31.806, 2.6, 1, 1, 1, 0, 3.85e8)),
    ("no incident wave", (0, 0, 0, -90, 20, 1, 1, 4, 1, 0, 1e9)),
]
print("// solver records")
for name, args in SOLVER_ROWS:
    s = solve(*args)
    ex, ey = args[0], args[1]
    c = lambda z: "{%.9g, %.9g}" % (z.real, z.imag)
    scale = max(ex, ey, 0.01, abs(s["t_par"]) * ex, abs(s["t_perp"]) * ey)
    phases = [cmath.phase(g) + math.radians(p) for g, p in
              ((s["g_par"], args[2]), (s["g_perp"], args[3]), (s["t_par"], args[2]),
               (s["t_perp"], args[3]))]
    print(f'    {{"{name}", {{{", ".join("%.10g" % a for a in args)}}},')
    print("     " + ", ".join(c(s[k]) for k in ("k2", "sin_t", "cos_t", "g_par")) + ",")
    print("     " + ", ".join(c(s[k]) for k in ("g_perp", "t_par", "t_perp")) +
          ", %.9g, {%s}}," % (scale, ", ".join("%.9g" % p for p in phases)))
