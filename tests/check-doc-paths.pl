#!/usr/bin/env perl
# check-doc-paths.pl ROOT DOC...: every path that a document names in backticks (a span with
# a slash in it, such as `access/src/requestengine.cpp` or `app/shell/frame/`) must exist
# below ROOT. Spans that are no paths (`CvaskAccess::Send`, texts with blanks) and fenced
# blocks are left alone. Fails, naming the document, line and path, for every path that is
# missing, leaves the tree or is absolute, and for a document that names no path at all.
use strict;
use warnings;

die "usage: $0 ROOT DOC...\n" unless @ARGV >= 2;
my ($root, @docs) = @ARGV;
my $status = 0;
for my $doc (@docs) {
    open(my $in, '<', $doc) or die "$doc: $!\n";
    my ($fenced, $named) = (0, 0);
    while (my $line = <$in>) {
        if ($line =~ /^\s*```/) { $fenced = !$fenced; next; }
        next if $fenced;
        while ($line =~ /`([^`]+)`/g) {
            my $span = $1;
            next unless $span =~ m{/} && $span !~ /\s|::|\(/;
            ++$named;
            if ($span =~ m{^/} || $span =~ m{(^|/)\.\.(/|$)}) {
                print "$doc:$.: `$span` is not a path inside the tree\n";
                $status = 1;
            } elsif (!-e "$root/$span") {
                print "$doc:$.: `$span` does not exist\n";
                $status = 1;
            }
        }
    }
    close($in);
    if (!$named) {
        print "$doc: names no path\n";
        $status = 1;
    }
}
exit $status;
